// SPDX-License-Identifier: MIT
#include "window_form.h"

#include "formulas.h"
#include "spoken_expression.h"

#include <algorithm>
#include <cstddef>

namespace WindowForm {

namespace {

Control option(int index)
{
    const std::string_view formula = formulaCaptions.at(static_cast<std::size_t>(index));
    return {optionNames.at(static_cast<std::size_t>(index)),
            Kind::Option,
            index,
            {0, 300 * index, 1815, 300},
            true,
            optionColour,
            std::string(formula),
            std::string(formulaPrefix) + spokenExpression(formula),
            "",
            4 + index,
            textColour,
            windowFont};
}

std::array<Control, controlCount> makeControls()
{
    const std::string none;
    // clang-format off
    return {{
        // name, kind, index, place (left, top, width, height), shown, background,
        //   text, accessible name, accessible description, tab index, foreground, font
        {"List1_1", Kind::ListBox, letterList, {4920, 1320, 855, 1770}, false, std::nullopt, "abcdefghij", none, none, 17, std::nullopt, windowFont},
        {"List1_0", Kind::ListBox, numberList, {4320, 720, 615, 1770}, false, std::nullopt, "123456789", none, none, 16, std::nullopt, windowFont},
        {"Text2", Kind::TextBox, single, {120, 3600, 6735, 615}, true, std::nullopt,
            none, std::string(expressionName), none, 15, std::nullopt, windowFont},
        {"Command1", Kind::Button, single, {4560, 3120, 1815, 375}, true, buttonColour,
            std::string(newExercise), std::string(newExercise), std::string(newExerciseDescription), 13, textColour, windowFont},
        {"Frame1", Kind::Frame, single, {2400, 840, 1935, 2775}, true, windowColour,
            none, std::string(formulasName), none, 3, textColour, windowFont},
        option(8), option(7), option(6), option(5), option(4), option(3), option(2), option(1),
        option(0),
        {"Text1_1", Kind::InfoBox, 1, {600, 4680, 6735, 1815}, false, std::nullopt,
            std::string(aphorism), none, none, 1, std::nullopt, windowFont},
        {"Text1_0", Kind::InfoBox, feedbackBox, {120, 4320, 6735, 1815}, true, std::nullopt,
            std::string(description), std::string(feedbackName), none, 0, std::nullopt, windowFont},
        {"Label1_1", Kind::Label, 1, {2400, 480, 1815, 375}, true, labelColour,
            std::string(formulaLabel), std::string(formulaLabel), none, 14, textColour, windowFont},
        {"Label1_0", Kind::Label, 0, {840, 0, 5175, 375}, true, labelColour,
            std::string(heading), std::string(heading), none, 2, textColour, windowFont},
    }};
    // clang-format on
}

} // namespace

std::string newExerciseSpoken(std::string_view expression)
{
    return std::string(newExerciseDescription) + ": " + spokenExpression(expression);
}

const Control &window()
{
    static const Control zantrel{"Zantrel",  Kind::Window,
                                 single,     {0, 0, 6975, 6210},
                                 true,       windowColour,
                                 caption(),  std::string(title),
                                 "",         0,
                                 textColour, windowFont};
    return zantrel;
}

const std::array<Control, controlCount> &controls()
{
    static const std::array<Control, controlCount> rows = makeControls();
    return rows;
}

bool takesFocus(const Control &row)
{
    return row.shown && (row.kind == Kind::TextBox || row.kind == Kind::InfoBox ||
                         row.kind == Kind::Button || row.kind == Kind::Option);
}

std::vector<const Control *> tabOrder()
{
    std::vector<const Control *> order;
    for (const Control &row : controls()) {
        if (takesFocus(row)) {
            order.push_back(&row);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Control *a, const Control *b) { return a->tabIndex < b->tabIndex; });
    return order;
}

} // namespace WindowForm
