// SPDX-License-Identifier: MIT
#include "window_layout.h"

#include "system_function.h"
#include "unicode.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

// GetDpiForWindow and AdjustWindowRectExForDpi came with Windows 10 1607: older systems fall back
// to the screen's DPI.
template <typename Function> Function user32Function(const char *name)
{
    return systemFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}

} // namespace

UINT windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

RECT outerRect(const RECT &client, DWORD style, DWORD exStyle, UINT dpi)
{
    using AdjustFunction = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustFunction>("AdjustWindowRectExForDpi");
    RECT outer = client;
    if (adjustForDpi != nullptr) {
        adjustForDpi(&outer, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    return outer;
}

int scaled(int twips, UINT dpi)
{
    return WindowForm::pixels(twips, static_cast<int>(dpi));
}

WindowLayout::~WindowLayout()
{
    for (const auto &made : fonts) {
        DeleteObject(made.second);
    }
}

HFONT WindowLayout::layOut(HWND window, const std::array<HWND, WindowForm::controlCount> &controls,
                           UINT dpi)
{
    const WindowForm::Control &form = WindowForm::window();
    const RECT client{0, 0, scaled(form.place.width, dpi), scaled(form.place.height, dpi)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const RECT outer = outerRect(client, style, exStyle, dpi);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A frame drawn at another DPI than the one asked for (a system that scales only the client
    // area) leaves the client area off by the difference: the window is sized again by it.
    RECT shown;
    GetClientRect(window, &shown);
    if (shown.right != client.right || shown.bottom != client.bottom) {
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + client.right - shown.right,
                     outer.bottom - outer.top + client.bottom - shown.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const auto previous = std::exchange(fonts, {});
    const auto &rows = WindowForm::controls();
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const WindowForm::Twips &place = rows[position].place;
        MoveWindow(controls.at(position), scaled(place.left, dpi), scaled(place.top, dpi),
                   scaled(place.width, dpi), scaled(place.height, dpi), TRUE);
        SendMessageW(controls.at(position), WM_SETFONT,
                     reinterpret_cast<WPARAM>(fontOf(rows[position].font, dpi)), TRUE);
    }
    HFONT windowFont = fontOf(form.font, dpi);
    for (const auto &made : previous) {
        DeleteObject(made.second);
    }
    return windowFont;
}

HFONT WindowLayout::fontOf(const WindowForm::Font &wanted, UINT dpi)
{
    const auto made = std::find_if(fonts.begin(), fonts.end(), [&wanted](const auto &entry) {
        return entry.first.face == wanted.face && entry.first.points == wanted.points &&
               entry.first.weight == wanted.weight;
    });
    if (made != fonts.end()) {
        return made->second;
    }
    const std::wstring face = toWide(wanted.face);
    HFONT font =
        CreateFontW(-WindowForm::fontPixels(wanted, static_cast<int>(dpi)), 0, 0, 0, wanted.weight,
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
    if (font == nullptr) {
        throw std::runtime_error("cannot create the font " + std::string(wanted.face));
    }
    fonts.emplace_back(wanted, font);
    return font;
}
