// SPDX-License-Identifier: MIT
// The form's rows against the window as it is designed, typed here once: the window, each control
// in the order the window stores them (place in twips, shown or hidden, background, fixed text, tab
// index), the black text on the faces and the one font (keyboard_test.cpp goes round the tab
// order). The editions' tests check that they render the form's rows.
#include "form_places.h"
#include "window_form.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

using WindowForm::Kind;
using Rgb = std::array<int, 3>;
using Place = std::array<int, 4>; // left, top, width, height in twips

struct Expected {
    std::string name;
    Kind kind;
    int index; // -1: not one of a control array
    Place place;
    bool shown;
    std::optional<Rgb> background; // none: the toolkit's own
    std::string text;              // for the information boxes, checked on its own
    int tabIndex;
};

constexpr Rgb windowBlue{192, 192, 255};
constexpr Rgb labelOrange{255, 192, 128};
constexpr Rgb optionCyan{128, 255, 255};
constexpr Rgb buttonRed{255, 128, 128};

const std::array<std::string, 9> captions{"(x + y)^2",     "(x - y)^2",     "x^2 - y^2",
                                          "(x + y + z)^2", "(x + y - z)^2", "(x + y)^3",
                                          "(x - y)^3",     "x^3 + y^3",     "x^3 - y^3"};

// The controls in the order the window stores them.
std::vector<Expected> expectedRows()
{
    // clang-format off
    std::vector<Expected> rows{
        {"List1_1", Kind::ListBox, 1, {4920, 1320, 855, 1770}, false, {}, "abcdefghij", 17},
        {"List1_0", Kind::ListBox, 0, {4320, 720, 615, 1770}, false, {}, "123456789", 16},
        {"Text2", Kind::TextBox, -1, {120, 3600, 6735, 615}, true, {}, "", 15},
        {"Command1", Kind::Button, -1, {4560, 3120, 1815, 375}, true, buttonRed, "Чисти", 13},
        {"Frame1", Kind::Frame, -1, {2400, 840, 1935, 2775}, true, windowBlue, "", 3},
    };
    for (int index = 8; index >= 0; --index) {
        rows.push_back({"Option1_" + std::to_string(index), Kind::Option, index,
                        {0, 300 * index, 1815, 300}, true, optionCyan,
                        captions.at(static_cast<std::size_t>(index)), 4 + index});
    }
    rows.insert(rows.end(), {
        {"Text1_1", Kind::InfoBox, 1, {600, 4680, 6735, 1815}, false, {}, "", 1},
        {"Text1_0", Kind::InfoBox, 0, {120, 4320, 6735, 1815}, true, {}, "", 0},
        {"Label1_1", Kind::Label, 1, {2400, 480, 1815, 375}, true, labelOrange, "Формула", 14},
        {"Label1_0", Kind::Label, 0, {840, 0, 5175, 375}, true, labelOrange,
            "Математика - формули за съкратено умножение", 2},
    });
    // clang-format on
    return rows;
}

Place placeOf(const WindowForm::Control &row)
{
    return {row.place.left, row.place.top, row.place.width, row.place.height};
}

std::optional<Rgb> rgb(const std::optional<WindowForm::Colour> &colour)
{
    return colour ? std::optional<Rgb>(Rgb{colour->red, colour->green, colour->blue})
                  : std::nullopt;
}

void expectWindowFont(const WindowForm::Control &row)
{
    EXPECT_EQ(row.font.face, "Times New Roman");
    EXPECT_EQ(row.font.points, 12);
    EXPECT_EQ(row.font.weight, 400);
}

TEST(WindowFormTest, WindowIsTheDesignedOne)
{
    const WindowForm::Control &window = WindowForm::window();
    EXPECT_EQ(window.name, "Zantrel");
    EXPECT_EQ(window.text, "www.zantrel.example Математика - умножение на многочлени");
    EXPECT_EQ(WindowForm::caption(), window.text);
    EXPECT_EQ(placeOf(window), (Place{0, 0, 6975, 6210}));
    EXPECT_EQ(rgb(window.background), windowBlue);
    expectWindowFont(window);
}

TEST(WindowFormTest, EveryControlIsTheDesignedOne)
{
    const std::vector<Expected> expected = expectedRows();
    const auto &rows = WindowForm::controls();
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t at = 0; at < rows.size(); ++at) {
        const WindowForm::Control &row = rows.at(at);
        const Expected &designed = expected.at(at);
        SCOPED_TRACE(designed.name);
        EXPECT_EQ(row.name, designed.name);
        EXPECT_EQ(row.kind, designed.kind);
        EXPECT_EQ(row.index, designed.index);
        EXPECT_EQ(placeOf(row), designed.place);
        EXPECT_EQ(row.shown, designed.shown);
        EXPECT_EQ(rgb(row.background), designed.background);
        // The text on a face of the form's own is black; elsewhere the toolkit's.
        EXPECT_EQ(rgb(row.foreground),
                  designed.background ? std::optional<Rgb>(Rgb{0, 0, 0}) : std::nullopt);
        if (designed.kind != Kind::InfoBox) {
            EXPECT_EQ(row.text, designed.text);
        }
        EXPECT_EQ(row.tabIndex, designed.tabIndex);
        expectWindowFont(row);
        // Whole pixels at 96 dpi, which every edition places them in.
        for (const int twips : placeOf(row)) {
            EXPECT_EQ(twips % 15, 0) << twips;
        }
    }
}

// The description: fifteen lines, each ending in CR LF, the last nine the formulas written with
// a, b and c. The hidden box's aphorism: three lines, each ending in a blank and CR LF.
TEST(WindowFormTest, InformationBoxesHoldTheirTexts)
{
    std::vector<std::string> lines;
    const std::string &description = formRow("Text1_0").text;
    for (std::size_t start = 0, end = 0; start < description.size(); start = end + 2) {
        end = description.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << description.substr(start);
        lines.push_back(description.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 15U);
    EXPECT_EQ(lines.front().rfind("В основното образование често се срещат случаи", 0), 0U);
    for (std::size_t formula = 0; formula < captions.size(); ++formula) {
        std::string withAbc = captions.at(formula);
        for (char &letter : withAbc) {
            letter =
                letter >= 'x' && letter <= 'z' ? static_cast<char>(letter - 'x' + 'a') : letter;
        }
        EXPECT_EQ(lines.at(6 + formula), withAbc);
    }
    EXPECT_EQ(formRow("Text1_1").text, "Неприятното в това да си първият, направил нещо по \r\n"
                                       "правилния начин, е, че никой не оценява колко трудно е \r\n"
                                       "било. \r\n");
}

} // namespace
