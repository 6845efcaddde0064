// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The drill's window as data, which the desktop window, the Windows edition and the web page
// render: one row for each control, in the order the window stores them (later rows lie on top of
// earlier ones), with its name, kind and index in its control array (what the control is: adapters
// know a control by these two, never by its name), place in twips (15 to a pixel at 96 dpi, from
// the window's client area or, for the options, from Frame1's), whether it is shown, its background
// colour and the colour of the text drawn on it, its fixed text, its accessible name and
// description, its place in the tab order and its font. Texts are UTF-8 with lines ending in CR LF,
// as the window stores them; shownText() (shown_text.h) gives them as a text box shows them. An
// adapter adds only what its toolkit alone needs (the hidden list boxes' widgets, the arrow keys).
namespace WindowForm {

inline constexpr std::string_view publisherAddress = "www.zantrel.example";
inline constexpr std::string_view title = "Математика - умножение на многочлени";
inline constexpr std::string_view heading = "Математика - формули за съкратено умножение";
inline constexpr std::string_view formulaLabel = "Формула";
inline constexpr std::string_view newExercise = "Чисти";
// The window's caption: the publisher's web address, one blank, the title.
inline std::string caption()
{
    std::string text(publisherAddress);
    text += ' ';
    text += title;
    return text;
}

// Accessible names and descriptions, for screen readers.
inline constexpr std::string_view feedbackName = "Пояснение и отговор";
inline constexpr std::string_view expressionName = "Алгебричен израз";
inline constexpr std::string_view formulasName = "Формули";
inline constexpr std::string_view formulaPrefix = "Формула ";
inline constexpr std::string_view newExerciseDescription = "Нова задача";
// What a screen reader says when "Чисти" has drawn a new exercise: that it is there, and its
// expression in words.
std::string newExerciseSpoken(std::string_view expression);

// Shown in the feedback box until the first answer replaces it.
inline constexpr std::string_view description =
    "В основното образование често се срещат случаи на задачи свързани с умножение на "
    "многочлени. Пак там се дават някои от формулите за съкратено умножение. Част от формулите се "
    "явяват частен случай на нютонов бином, а други се представят като редове от триъгълника на "
    "Паскал.\r\n"
    "Да се състави проект представящ междупредметни връзки Математика и Информатика.\r\n"
    "Тема на проекта е: Математика - формули за съкратено умножение.\r\n"
    "Чрез група от радиобутони се представят краткия вид на формулите за съкратено умножение, а в "
    "отделно текстово поле случайно генериран алгебричен израз. В последния се съдържат 2 до 3 "
    "броя неизвестни представени с главни латински букви от началото на азбуката. Пред всяко от "
    "неизвестните има коефициент, който е степен на едноцифрено естествено число.\r\n"
    "Потребителят трябва да посочи чрез радиобутон коя е вярната релация между представения "
    "алгебричен израз и конкретната формула за съкратено умножение.\r\n"
    "В реализирания проект са използвани следните формули за съкратено умножение:\r\n"
    "(a + b)^2\r\n"
    "(a - b)^2\r\n"
    "a^2 - b^2\r\n"
    "(a + b + c)^2\r\n"
    "(a + b - c)^2\r\n"
    "(a + b)^3\r\n"
    "(a - b)^3\r\n"
    "a^3 + b^3\r\n"
    "a^3 - b^3\r\n";

// Kept in a hidden text box; never shown.
inline constexpr std::string_view aphorism =
    "Неприятното в това да си първият, направил нещо по \r\n"
    "правилния начин, е, че никой не оценява колко трудно е \r\n"
    "било. \r\n";

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
};

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Twips to pixels at 96 dpi.
constexpr int pixels(int twips)
{
    return twips / 15;
}
// Twips to pixels at a given dpi (1440 twips to an inch), rounded down as at 96 dpi.
constexpr int pixels(int twips, int dpi)
{
    return twips * dpi / 1440;
}

enum class Kind : std::uint8_t { Window, ListBox, TextBox, Button, Frame, Option, InfoBox, Label };

// A control's index when it is not one of a control array (Text2, Command1, Frame1).
inline constexpr int single = -1;
// The control arrays of two: the list boxes, the information boxes and the labels.
inline constexpr int pairCount = 2;
// What the members of those arrays hold.
inline constexpr int numberList = 0;   // List1(0): the number pool
inline constexpr int letterList = 1;   // List1(1): the letter pool
inline constexpr int feedbackBox = 0;  // Text1(0): the feedback; Text1(1) is never shown
inline constexpr int headingLabel = 0; // Label1(0): the heading; Label1(1) names the formulas

// A font: its face, its size in points (72 to an inch) and its weight (400 regular, 700 bold).
struct Font {
    std::string_view face;
    int points = 0;
    int weight = 0;
};

// The one font of the window and all its controls.
inline constexpr Font windowFont{"Times New Roman", 12, 400};

// A font's height in pixels at a given dpi, rounded to the nearest: 16 for 12 pt at 96 dpi.
constexpr int fontPixels(const Font &font, int dpi)
{
    return (font.points * dpi + 36) / 72;
}

// The text drawn on the form's own backgrounds.
inline constexpr Colour textColour{0, 0, 0};

struct Control {
    std::string_view name; // "Text1_0", "Option1_3": the name with its index
    Kind kind = Kind::Label;
    int index = single; // in its control array: Option1(3) is 3, List1(1) is 1
    Twips place;
    bool shown = true;
    std::optional<Colour> background; // none: the toolkit's own (text boxes, list boxes)
    std::string text;                 // a list box's items: one character each
    std::string accessibleName;
    std::string accessibleDescription;
    int tabIndex = 0; // the order in which Tab meets the controls, lowest first
    // The colour of the text on the control's background; none where the toolkit's own.
    std::optional<Colour> foreground;
    Font font = windowFont;
};

inline constexpr Colour windowColour{192, 192, 255};
inline constexpr Colour labelColour{255, 192, 128};
inline constexpr Colour optionColour{128, 255, 255};
inline constexpr Colour buttonColour{255, 128, 128};
// The classic bevel round the button and the text boxes: the light edge, the face and the shadow.
inline constexpr Colour bevelHighlight{255, 255, 255};
inline constexpr Colour bevelFace{240, 240, 240};
inline constexpr Colour bevelShadow{160, 160, 160};

// The window itself: its caption, size and background.
const Control &window();
// Every control, in the order the window stores them.
inline constexpr std::size_t controlCount = 18;
const std::array<Control, controlCount> &controls();
// Whether the learner can move the focus to the control: a shown text box, button or option.
bool takesFocus(const Control &row);
// The controls that take the focus, in the order Tab meets them (by their tab index). The options
// come one after another, by index: an adapter that makes them one stop keeps the first's place.
std::vector<const Control *> tabOrder();
// The options' names, by index.
inline constexpr std::array<std::string_view, 9> optionNames{
    "Option1_0", "Option1_1", "Option1_2", "Option1_3", "Option1_4",
    "Option1_5", "Option1_6", "Option1_7", "Option1_8",
};

} // namespace WindowForm
