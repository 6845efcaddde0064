// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The exercise library speaks UTF-8; Windows' wide API UTF-16. These convert between the two.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

// A window's or control's text.
std::wstring windowText(HWND window);
