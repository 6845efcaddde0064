// SPDX-License-Identifier: MIT
// The window's keyboard and focus: the keys the form's rule gives a meaning (keyboard.h), taken
// from the message loop before any control sees them; the options' one Tab stop; and the focus kept
// while the window is inactive, as a window that is not a dialog keeps it.
#include "keyboard.h"
#include "zantrel_window.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

namespace {

bool held(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

bool ZantrelWindow::navigate(const MSG &message)
{
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    HWND focus = GetFocus();
    const auto control = std::find(handles.begin(), handles.end(), focus);
    if (control == handles.end() && focus != hwnd) {
        return false;
    }
    const WindowForm::Control &focused = control != handles.end()
                                             ? WindowForm::controls().at(static_cast<std::size_t>(
                                                   std::distance(handles.begin(), control)))
                                             : WindowForm::window();
    const WindowForm::KeyAction action =
        WindowForm::keyAction(focused, WindowForm::keyOfCode(static_cast<int>(message.wParam)),
                              {.shift = held(VK_SHIFT),
                               .control = held(VK_CONTROL),
                               .alt = held(VK_MENU),
                               .meta = held(VK_LWIN) || held(VK_RWIN)},
                              chosen);
    switch (action.kind) {
    case WindowForm::KeyAction::Kind::Pass:
        return false;
    case WindowForm::KeyAction::Kind::Ignore:
        return true;
    case WindowForm::KeyAction::Kind::Focus:
        moveFocus(handleOf(*action.target));
        return true;
    case WindowForm::KeyAction::Kind::Choose: {
        HWND next = handleOf(*action.target);
        moveFocus(next);
        SendMessageW(next, BM_CLICK, 0, 0);
        return true;
    }
    }
    return false;
}

HWND ZantrelWindow::handleOf(const WindowForm::Control &row) const
{
    return handles.at(static_cast<std::size_t>(&row - WindowForm::controls().data()));
}

void ZantrelWindow::updateOptionTabStops()
{
    for (HWND option : Option1) {
        const auto style = GetWindowLongPtrW(option, GWL_STYLE);
        const bool stop = option == Option1.at(chosen >= 0 ? static_cast<std::size_t>(chosen) : 0);
        SetWindowLongPtrW(option, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

void ZantrelWindow::moveFocus(HWND control)
{
    const bool outer = std::exchange(movingFocus, true);
    SetFocus(control);
    movingFocus = outer;
}

void ZantrelWindow::saveFocus()
{
    if (HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd, focus) != FALSE) {
        savedFocus = focus;
    }
}

void ZantrelWindow::restoreFocus()
{
    moveFocus(savedFocus != nullptr && IsChild(hwnd, savedFocus) != FALSE
                  ? savedFocus
                  : Text1.at(WindowForm::feedbackBox));
}
