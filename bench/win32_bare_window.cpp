// SPDX-License-Identifier: MIT
// The reference for the Windows edition's start-up: a bare Win32 window with the controls of the
// window's form (WindowForm, the rows the program is built from), each of the same kind, place,
// colour and text, in the form's font, at 96 dpi, and no exercise behind them: the expression box
// shows one fixed expression, the hidden list boxes stay empty, and nothing is judged.
#include "window_form.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace {

using WindowForm::Kind;

constexpr const wchar_t *frameClassName = L"BareFrame";
constexpr int firstControlId = 100;

std::array<HBRUSH, WindowForm::controlCount> brushes{};
HBRUSH frameBrush = nullptr;

std::wstring wide(std::string_view utf8)
{
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

COLORREF colourRef(const WindowForm::Colour &colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

struct ControlClass {
    const wchar_t *name;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(Kind kind)
{
    switch (kind) {
    case Kind::ListBox:
        return {L"LISTBOX", LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case Kind::TextBox:
        return {L"EDIT", ES_READONLY, WS_EX_CLIENTEDGE};
    case Kind::Button:
        return {L"BUTTON", BS_OWNERDRAW, 0};
    case Kind::Frame:
        return {frameClassName, 0, WS_EX_CONTROLPARENT};
    case Kind::Option:
        return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case Kind::InfoBox:
        return {L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case Kind::Label:
    case Kind::Window:
        break;
    }
    return {L"STATIC", SS_CENTER | SS_CENTERIMAGE, 0};
}

LRESULT CALLBACK frameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(frame, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, frameBrush);
        return 1;
    }
    if (message == WM_CTLCOLORSTATIC) {
        return SendMessageW(GetParent(frame), message, wParam, lParam);
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        const int position = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - firstControlId;
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (position >= 0 && position < static_cast<int>(brushes.size()) &&
            brushes.at(static_cast<std::size_t>(position)) != nullptr) {
            const auto &row = WindowForm::controls().at(static_cast<std::size_t>(position));
            SetBkColor(dc, colourRef(*row.background));
            return reinterpret_cast<LRESULT>(brushes.at(static_cast<std::size_t>(position)));
        }
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_DRAWITEM: {
        const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        const auto position = static_cast<std::size_t>(item->CtlID - firstControlId);
        RECT face = item->rcItem;
        FillRect(item->hDC, &face, brushes.at(position));
        DrawEdge(item->hDC, &face, EDGE_RAISED, BF_RECT | BF_ADJUST);
        SetBkMode(item->hDC, TRANSPARENT);
        const std::wstring caption = wide(WindowForm::controls().at(position).text);
        DrawTextW(item->hDC, caption.c_str(), -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return TRUE;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const WindowForm::Control &form = WindowForm::window();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(colourRef(*form.background));
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = frameProcedure;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = frameClassName;
    RegisterClassW(&frameClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT outer{0, 0, WindowForm::pixels(form.place.width), WindowForm::pixels(form.place.height)};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    HWND main = CreateWindowExW(0, L"BareWindow", L"Bare window", style, CW_USEDEFAULT,
                                CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                                nullptr, nullptr, instance, nullptr);
    const WindowForm::Font &formFont = form.font;
    HFONT font =
        CreateFontW(-WindowForm::fontPixels(formFont, 96), 0, 0, 0, formFont.weight, FALSE, FALSE,
                    FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, wide(formFont.face).c_str());
    HWND frame = nullptr;
    const auto &rows = WindowForm::controls();
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const WindowForm::Control &row = rows.at(position);
        if (row.background) {
            brushes.at(position) = CreateSolidBrush(colourRef(*row.background));
        }
        const ControlClass kind = controlClass(row.kind);
        const std::wstring text = row.kind == Kind::ListBox   ? std::wstring()
                                  : row.kind == Kind::TextBox ? L" 4*a^2 +  12*a*b +  9*b^2"
                                                              : wide(row.text);
        HWND control = CreateWindowExW(
            kind.exStyle, kind.name, text.c_str(),
            WS_CHILD | WS_CLIPSIBLINGS | kind.style | (row.shown ? WS_VISIBLE : 0),
            WindowForm::pixels(row.place.left), WindowForm::pixels(row.place.top),
            WindowForm::pixels(row.place.width), WindowForm::pixels(row.place.height),
            row.kind == Kind::Option ? frame : main,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + position)), instance,
            nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (row.kind == Kind::Frame) {
            frame = control;
            frameBrush = brushes.at(position);
        }
    }
    ShowWindow(main, show);
    UpdateWindow(main);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
