// SPDX-License-Identifier: MIT
// The window's controls, made from the form's rows: one Windows control for each row, of the class
// and styles its kind asks for, at the top of the stack as the rows come (later rows lie on top).
#include "unicode.h"
#include "zantrel_window.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

struct ControlClass {
    const wchar_t *name;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(const WindowForm::Control &row)
{
    using WindowForm::Kind;
    switch (row.kind) {
    case Kind::ListBox:
        // Without LBS_NOINTEGRALHEIGHT the list box would shrink to whole items.
        return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case Kind::TextBox:
        return {L"EDIT", ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case Kind::Button:
        return {L"BUTTON", BS_OWNERDRAW, 0};
    case Kind::Frame:
        return {ZantrelWindow::frameClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::Option:
        return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (row.index == 0 ? WS_GROUP : 0)),
                0};
    case Kind::InfoBox:
        return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                WS_EX_CLIENTEDGE};
    case Kind::Label:
        return {L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::Window:
        break;
    }
    throw std::logic_error("no Windows control for control " + std::string(row.name));
}

} // namespace

void ZantrelWindow::createControls()
{
    using WindowForm::Kind;
    const auto &rows = WindowForm::controls();
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const WindowForm::Control &row = rows[position];
        const ControlClass kind = controlClass(row);
        HWND parent = row.kind == Kind::Option ? Frame1 : hwnd;
        HWND control = CreateWindowExW(
            kind.exStyle, kind.name, toWide(row.text).c_str(),
            WS_CHILD | WS_CLIPSIBLINGS | kind.style | (row.shown ? WS_VISIBLE : 0), 0, 0, 0, 0,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + position)),
            module, nullptr);
        if (control == nullptr) {
            throw std::runtime_error("cannot create control " + std::string(row.name));
        }
        // Later rows lie on top of earlier ones.
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        handles.at(position) = control;
        const auto index = static_cast<std::size_t>(row.index);
        switch (row.kind) {
        case Kind::ListBox:
            // A pool's items, as the window stores them before the first exercise refills it.
            for (const char item : row.text) {
                const std::wstring wide = toWide(std::string_view(&item, 1));
                SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            }
            List1.at(index) = control;
            break;
        case Kind::TextBox:
            Text2 = control;
            break;
        case Kind::Button:
            Command1 = control;
            break;
        case Kind::Frame:
            Frame1 = control;
            break;
        case Kind::Option:
            // Not checked and reported as clicked when it gets the keyboard focus.
            SendMessageW(control, BM_SETDONTCLICK, TRUE, 0);
            Option1.at(index) = control;
            break;
        case Kind::InfoBox:
            Text1.at(index) = control;
            break;
        case Kind::Label:
        case Kind::Window:
            break;
        }
    }
    numbers.keepIn(List1.at(WindowForm::numberList));
    letters.keepIn(List1.at(WindowForm::letterList));
}
