// SPDX-License-Identifier: MIT
#pragma once

// What the Windows edition's tests share: their count of checks and failures, a control's text
// (read through its own messages, from any process) and the options' captions, written here.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

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

inline std::wstring textOf(HWND control)
{
    const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

inline const wchar_t *const captions[] = {L"(x + y)^2",     L"(x - y)^2",     L"x^2 - y^2",
                                          L"(x + y + z)^2", L"(x + y - z)^2", L"(x + y)^3",
                                          L"(x - y)^3",     L"x^3 + y^3",     L"x^3 - y^3"};

inline bool noneChecked(const std::array<HWND, 9> &options)
{
    return std::none_of(options.begin(), options.end(), [](HWND option) {
        return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
    });
}
