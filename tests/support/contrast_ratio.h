// SPDX-License-Identifier: MIT
#pragma once

#include "window_form.h"

#include <algorithm>
#include <cmath>

// WCAG 2's contrast ratio of two colours, from 1 (the same) to 21 (black and white): the measure of
// a text or a focus mark against what is around it.
inline double contrastRatio(const WindowForm::Colour &first, const WindowForm::Colour &second)
{
    auto luminance = [](const WindowForm::Colour &colour) {
        auto linear = [](int value) {
            const double channel = value / 255.0;
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
               0.0722 * linear(colour.blue);
    };
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return std::max(a, b) / std::min(a, b);
}
