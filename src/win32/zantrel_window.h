// SPDX-License-Identifier: MIT
#pragma once

#include "accessibility.h"
#include "contrast.h"
#include "exercise_controller.h"
#include "exercise_view.h"
#include "formulas.h"
#include "random_source.h"
#include "win32_list_box_pool.h"
#include "window_form.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The program's one window on Windows, built from Windows' own controls. It owns an
// ExerciseController and is its view. WM_CREATE makes one control for each row of the window's
// form (its kind and index say which control it is; its control id is its row's position), draws
// the first exercise and lays the controls out in twips scaled by the window's DPI, in the rows'
// fonts (again on WM_DPICHANGED). WM_COMMAND goes to the controller: a newly chosen option (mouse,
// Space, arrow keys) to Option1_Click, "Чисти" to Command1_Click; an option that only gets the
// focus is never judged. The options are auto radio buttons of one group inside Frame1, a
// borderless container that hands their notifications and colour requests to the window. Colours
// come from the rows through WM_CTLCOLOR*; "Чисти" is owner-drawn in its colour. The pools are the
// items of the hidden list boxes List1(0) and List1(1). The message loop hands every key to
// navigate() first: Tab follows the form's tab order (the options one stop, the chosen or the
// first); an arrow key without Shift, Ctrl, Alt or the Windows key chooses and judges the previous
// or next option. The focus is kept while the window is inactive. No exception leaves a window
// procedure: the first error is shown and ends the program.
// The colours are WindowColours' (contrast.h): the rows', or the system's in High Contrast, read
// again when the system's settings or colours change. AccessibleControls (accessibility.h) names
// the controls for screen readers, describes the expression in words and announces each answer.
class ZantrelWindow final : public ExerciseView {
public:
    // `highContrast` tells whether High Contrast is on: the system's setting, unless a test
    // answers.
    explicit ZantrelWindow(RandomSource &random,
                           HighContrastQuery highContrast = systemHighContrast)
        : colours(highContrast), controller(*this, random)
    {
    }

    // Registers the window classes and creates the window (not yet shown); null on failure.
    HWND create(HINSTANCE instance);
    // Moves the focus for Tab and the arrow keys; false for any other message.
    bool navigate(const MSG &message);

    void setFeedbackText(std::string_view text) override;
    void setExpressionText(std::string text) override;
    void deselectOption(int index) override;
    std::string optionCaption(int index) const override;
    Pool &numberPool() override { return numbers; }
    Pool &letterPool() override { return letters; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK frameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT frameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT fail(HWND window, UINT message, const char *what);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    void layOut();
    HFONT fontOf(const WindowForm::Font &wanted);
    void command(int id, int notification);
    LRESULT colour(HDC dc, HWND control);
    void drawButton(const DRAWITEMSTRUCT &item);
    void updateOptionTabStops();
    // SetFocus, during which an option's report of a click is not the learner's choice.
    void moveFocus(HWND control);

    HWND hwnd = nullptr;
    HINSTANCE module = nullptr;
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    // One font for each of the rows' fonts.
    std::vector<std::pair<WindowForm::Font, HFONT>> fonts;
    HBRUSH background = nullptr;
    WindowColours colours;
    AccessibleControls accessibility;
    // Each row's control, by row position.
    std::array<HWND, WindowForm::controlCount> handles{};

    std::array<HWND, WindowForm::pairCount> List1{};
    Win32ListBoxPool numbers;
    Win32ListBoxPool letters;
    HWND Text2 = nullptr;
    HWND Command1 = nullptr;
    HWND Frame1 = nullptr;
    std::array<HWND, FormulaCount> Option1{};
    std::array<HWND, WindowForm::pairCount> Text1{};
    std::array<HWND, WindowForm::pairCount> Label1{};

    // The stops of Tab in order; null stands for the options' one stop.
    std::vector<HWND> tabStops;
    HWND savedFocus = nullptr; // the control that had the focus when the window was deactivated
    bool movingFocus = false;
    bool failed = false;

    int chosen = -1; // the option last judged, until a new exercise
    ExerciseController controller;
};
