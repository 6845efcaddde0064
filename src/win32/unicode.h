// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The exercise library speaks UTF-8; Windows' wide API UTF-16. These convert between the two.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);
