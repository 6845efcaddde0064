// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The fixed texts of the drill's window, as the window stores them: UTF-8, lines ending in CR LF.
// The desktop window and the web page show the same texts.
namespace WindowTexts {

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

// Starts the report of an error that stops the drill.
inline constexpr std::string_view errorPrefix = "Грешка при изпълнение: ";

// Accessible names and descriptions, for screen readers.
inline constexpr std::string_view feedbackName = "Пояснение и отговор";
inline constexpr std::string_view expressionName = "Алгебричен израз";
inline constexpr std::string_view formulasName = "Формули";
inline constexpr std::string_view formulaPrefix = "Формула ";
inline constexpr std::string_view newExerciseDescription = "Нова задача";

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

} // namespace WindowTexts
