// SPDX-License-Identifier: MIT
#pragma once

#include "window_form.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

// Where the tests look for a row of the window's form: the row by its name, and its place in the
// window's client area in pixels at 96 dpi (15 twips to a pixel; an option's place is inside
// Frame1's), right and bottom just outside it.
struct PixelPlace {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline const WindowForm::Control &formRow(std::string_view name)
{
    const auto &rows = WindowForm::controls();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [name](const WindowForm::Control &r) { return r.name == name; });
    if (row == rows.end()) {
        throw std::invalid_argument("the form has no row " + std::string(name));
    }
    return *row;
}

inline PixelPlace pixelPlace(const WindowForm::Control &row)
{
    const PixelPlace frame =
        row.kind == WindowForm::Kind::Option ? pixelPlace(formRow("Frame1")) : PixelPlace{};
    const int left = frame.left + row.place.left / 15;
    const int top = frame.top + row.place.top / 15;
    return {left, top, left + row.place.width / 15, top + row.place.height / 15};
}
