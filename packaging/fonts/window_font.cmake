# SPDX-License-Identifier: MIT
# zantrel_window_font(OUTPUT) adds the command that writes the window's face to OUTPUT (.ttf for the
# window, .woff2 for the page): Liberation Serif (SIL Open Font License), cut down to the letters
# the drill shows and named anew, by window_font.py beside this file with Debian's fontTools.
function(zantrel_window_font output)
    find_file(LIBERATION_SERIF LiberationSerif-Regular.ttf
        PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    add_custom_command(OUTPUT ${output}
        COMMAND ${ZANTREL_WITH_EPOCH} ${DEBIAN_PYTHON} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/window_font.py
                ${LIBERATION_SERIF} ${output}
        DEPENDS ${LIBERATION_SERIF} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/window_font.py
        COMMENT "Making the window's font: ${output}")
endfunction()
