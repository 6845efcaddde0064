// SPDX-License-Identifier: MIT
#pragma once

#include "accessibility.h"
#include "exercise_controller.h"
#include "exercise_view.h"
#include "formulas.h"
#include "random_source.h"
#include "win32_list_box_pool.h"
#include "window_colours.h"
#include "window_form.h"
#include "window_layout.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The program's one window on Windows, built from Windows' own controls. It owns an
// ExerciseController and is its view. WM_CREATE makes one control for each row of the window's
// form (its kind and index say which control it is; its control id is its row's position) and
// draws the first exercise. WM_COMMAND goes to the controller: a newly chosen option (mouse,
// Space, arrow keys) to Option1_Click, "Чисти" to Command1_Click; an option that only gets the
// focus is never judged. The options are auto radio buttons of one group inside Frame1, a
// borderless container that hands their notifications and colour requests to the window. The
// pools are the items of the hidden list boxes List1(0) and List1(1). No exception leaves a window
// procedure: the first error is shown and ends the program.
// Each concern has its own file:
// - window_controls.cpp: the controls made from the form's rows;
// - window_layout.h: the places and fonts at the window's DPI, again on WM_DPICHANGED;
// - window_colours.h: the colours, the rows' or the system's in High Contrast, through
//   WM_CTLCOLOR*, and "Чисти" owner-drawn in its colour;
// - keyboard_focus.cpp: the message loop hands every key to navigate() first, which does what the
//   form's keys say (keyboard.h), and the focus is kept while the window is inactive;
// - accessibility.h: the controls named for screen readers, the expression described in words,
//   each answer and new exercise announced.
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

    // The frame's window class, and the first control id: a control's id is its row's position
    // plus it.
    static constexpr const wchar_t *frameClassName = L"ZantrelFrame";
    static constexpr int firstControlId = 100;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK frameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT frameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
    template <typename Handler> static LRESULT guarded(HWND window, UINT message, Handler handler);
    static LRESULT fail(HWND window, UINT message, const char *what);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls(); // window_controls.cpp
    void command(int id, int notification);
    LRESULT colour(HDC dc, HWND control);

    // The keyboard and focus (keyboard_focus.cpp).
    HWND handleOf(const WindowForm::Control &row) const;
    void updateOptionTabStops();
    // SetFocus, during which an option's report of a click is not the learner's choice.
    void moveFocus(HWND control);
    void saveFocus();
    void restoreFocus();

    HWND hwnd = nullptr;
    HINSTANCE module = nullptr;
    HBRUSH background = nullptr;
    WindowLayout layout;
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

    HWND savedFocus = nullptr; // the control that had the focus when the window was deactivated
    bool movingFocus = false;
    bool failed = false;

    int chosen = -1; // the option last judged, until a new exercise
    ExerciseController controller;
};
