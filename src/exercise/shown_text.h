// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The window stores its texts with lines ending in CR LF; shownText() gives a stored text as a text
// box shows it, each CR LF one line break. errorReport() is the text that reports an error that
// stops the drill.
std::string shownText(std::string_view stored);
std::string errorReport(std::string_view what);
