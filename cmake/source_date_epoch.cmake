# SPDX-License-Identifier: MIT
# ZANTREL_SOURCE_DATE_EPOCH: the time every release file carries (file times in the zips and the
# MSI, the font's creation time, the signing time), so that one commit gives the same bytes
# wherever and whenever it is built. The environment's SOURCE_DATE_EPOCH when it is set, otherwise
# the last commit's time, and outside a git checkout a fixed time (2026-01-01 00:00:00 UTC).
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(ZANTREL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    set(ZANTREL_SOURCE_DATE_EPOCH 1767225600)
    find_program(GIT git)
    if(GIT AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
        execute_process(COMMAND ${GIT} log -1 --format=%ct
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
            RESULT_VARIABLE git_result)
        if(git_result EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
            set(ZANTREL_SOURCE_DATE_EPOCH ${commit_time})
        endif()
        # A new commit or checkout changes the time: configure again then.
        execute_process(COMMAND ${GIT} rev-parse --git-path logs/HEAD
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(head_log)
            get_filename_component(head_log ${head_log} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
            if(EXISTS ${head_log})
                set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${head_log})
            endif()
        endif()
    endif()
endif()
if(NOT ZANTREL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${ZANTREL_SOURCE_DATE_EPOCH}")
endif()
# Tools read it from the environment: those run while configuring from this one, those run while
# building through ZANTREL_WITH_EPOCH (fontTools, the linker), cpack through its project file.
set(ENV{SOURCE_DATE_EPOCH} ${ZANTREL_SOURCE_DATE_EPOCH})
set(ZANTREL_WITH_EPOCH ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ZANTREL_SOURCE_DATE_EPOCH})
