// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// A window's client area as painted, read at once (a pixel at a time is slow across processes),
// for the Windows tests that look at colours.
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

private:
    int width = 0;
    std::vector<DWORD> pixels;
};

inline std::string rgb(COLORREF colour)
{
    return std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + "," +
           std::to_string(GetBValue(colour));
}
