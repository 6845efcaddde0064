// SPDX-License-Identifier: MIT
#pragma once

#include "window_form.h"

#include <windows.h>

#include <array>
#include <utility>
#include <vector>

// The window's size and its controls' places and fonts, at the window's DPI: the form's twips
// scaled by it (1440 to an inch), and a font for each of the rows' fonts at that size. The window
// lays itself out when it is made and again on WM_DPICHANGED, when the fonts are made anew.

// The DPI of a window's monitor, or the screen's for null (and on Windows before 10 1607).
UINT windowDpi(HWND window);
// The outer rectangle of a window with the given client area, style and DPI.
RECT outerRect(const RECT &client, DWORD style, DWORD exStyle, UINT dpi);
// Twips as pixels at a DPI.
int scaled(int twips, UINT dpi);

class WindowLayout {
public:
    WindowLayout() = default;
    ~WindowLayout();
    WindowLayout(const WindowLayout &) = delete;
    WindowLayout &operator=(const WindowLayout &) = delete;
    WindowLayout(WindowLayout &&) = delete;
    WindowLayout &operator=(WindowLayout &&) = delete;

    // Sizes the window's client area to the form's at `dpi`, places each row's control (by row
    // position) in its row's font, and returns the window's own font. The fonts of an earlier
    // layout are deleted.
    HFONT layOut(HWND window, const std::array<HWND, WindowForm::controlCount> &controls, UINT dpi);

private:
    HFONT fontOf(const WindowForm::Font &wanted, UINT dpi);

    // One font for each of the rows' fonts.
    std::vector<std::pair<WindowForm::Font, HFONT>> fonts;
};
