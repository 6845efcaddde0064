// SPDX-License-Identifier: MIT
#include "shown_text.h"

#include <cstddef>

std::string shownText(std::string_view stored)
{
    std::string shown;
    shown.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\r' || i + 1 >= stored.size() || stored[i + 1] != '\n') {
            shown += stored[i];
        }
    }
    return shown;
}

std::string errorReport(std::string_view what)
{
    return "Грешка при изпълнение: " + std::string(what);
}
