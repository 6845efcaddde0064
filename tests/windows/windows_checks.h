// SPDX-License-Identifier: MIT
#pragma once

// What the Windows edition's tests share: their count of checks and failures, a control's text
// (read through its own messages, from any process), places at the screen's DPI, the client
// area's pixels, and the options' captions and the texts on the form's faces, from the form.
#include "form_places.h"
#include "window_form.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Windows, and Wine from version 10, show a process that is not aware of the DPI every window
// (its own and other processes') scaled to 96 dpi. The tests take the program's own awareness,
// per monitor, so that they see its windows as it makes them.
inline void takeProgramsDpiAwareness()
{
    using SetAwareness = BOOL(WINAPI *)(HANDLE);
    const auto set = std::bit_cast<SetAwareness>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext"));
    if (set != nullptr) {
        set(reinterpret_cast<HANDLE>(-4)); // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    }
}

inline int checks = 0;
inline int failures = 0;

inline void check(bool passed, const std::string &what)
{
    ++checks;
    if (!passed) {
        ++failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

inline std::string utf8(const std::wstring &wide)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

inline std::wstring wide(const std::string &text)
{
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(),
                        length);
    return converted;
}

// The options' captions, by index.
inline const std::vector<std::wstring> captions = [] {
    std::vector<std::wstring> texts;
    for (const std::string_view name : WindowForm::optionNames) {
        texts.push_back(wide(formRow(name).text));
    }
    return texts;
}();

inline COLORREF colorref(const WindowForm::Colour &colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

inline RECT rectOf(const PixelPlace &place)
{
    return {place.left, place.top, place.right, place.bottom};
}

inline std::wstring textOf(HWND control)
{
    const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

inline std::wstring classOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

inline std::vector<HWND> childrenOf(HWND window)
{
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND> *>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

inline RECT placeOf(HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetAncestor(control, GA_ROOT), reinterpret_cast<POINT *>(&place), 2);
    return place;
}

inline std::string describe(const RECT &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

inline std::string rgb(COLORREF colour)
{
    return std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + "," +
           std::to_string(GetBValue(colour));
}

// The screen's DPI the prefix was set to (--dpi N).
inline int dpi = 96;

inline int scaled(int pixels)
{
    return pixels * dpi / 96;
}

// A place at 96 dpi as the program makes it at the screen's DPI: its corner and its size each
// scaled and rounded down.
inline RECT atDpi(const RECT &r)
{
    const LONG left = scaled(r.left);
    const LONG top = scaled(r.top);
    return {left, top, left + scaled(r.right - r.left), top + scaled(r.bottom - r.top)};
}

// A window's client area as painted, read at once (a pixel at a time is slow across processes).
class ClientPixels {
public:
    explicit ClientPixels(HWND window)
    {
        RECT client;
        GetClientRect(window, &client);
        width = client.right;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC dc = GetDC(window);
        HDC memory = CreateCompatibleDC(dc);
        void *bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        const auto *first = static_cast<const DWORD *>(bits);
        pixels.assign(first, first + static_cast<std::size_t>(client.right) *
                                         static_cast<std::size_t>(client.bottom));
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, dc);
    }

    COLORREF at(int x, int y) const
    {
        const DWORD pixel =
            pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x));
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    // At a point given at 96 dpi.
    COLORREF at96(POINT point) const
    {
        return at(scaled(static_cast<int>(point.x)), scaled(static_cast<int>(point.y)));
    }

    // Every pixel in a rectangle given at 96 dpi.
    std::vector<COLORREF> in(const RECT &area96) const
    {
        const RECT area = atDpi(area96);
        std::vector<COLORREF> found;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                found.push_back(at(x, y));
            }
        }
        return found;
    }

private:
    int width = 0;
    std::vector<DWORD> pixels;
};

inline bool noneChecked(const std::array<HWND, 9> &options)
{
    return std::none_of(options.begin(), options.end(), [](HWND option) {
        return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
    });
}

// A text on a face of the form, at 96 dpi: a point of the face's background and where the text is
// painted. A label's text fills its place down to the options (Label1_1 covers the first option's
// top row); an option's is right of its round mark, which is drawn in the system's colours, and
// below Label1_1; Command1's inside its bevel; Text2's inside its frame, left of the point.
struct FaceText {
    const WindowForm::Control *row;
    POINT face;
    RECT text;
};

inline std::vector<FaceText> faceTexts()
{
    using WindowForm::Kind;
    const int optionsTop = pixelPlace(formRow("Option1_0")).top;
    std::vector<FaceText> faces;
    for (const WindowForm::Control &row : WindowForm::controls()) {
        const PixelPlace p = pixelPlace(row);
        if (row.kind == Kind::Label) {
            faces.push_back({&row,
                             {p.left + 2, p.top + 2},
                             {p.left, p.top, p.right, std::min(p.bottom, optionsTop)}});
        } else if (row.kind == Kind::Option) {
            faces.push_back(
                {&row, {p.right - 2, p.top + 2}, {p.left + 18, p.top + 1, p.right, p.bottom}});
        } else if (row.kind == Kind::Button) {
            faces.push_back({&row,
                             {p.left + 4, p.top + 4},
                             {p.left + 3, p.top + 3, p.right - 3, p.bottom - 3}});
        } else if (row.kind == Kind::TextBox) {
            faces.push_back({&row,
                             {p.right - 7, p.top + 22},
                             {p.left + 3, p.top + 3, p.right - 17, p.bottom - 3}});
        }
    }
    return faces;
}
