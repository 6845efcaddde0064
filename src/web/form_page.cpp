// SPDX-License-Identifier: MIT
// Writes the page's share of the window's form to standard output, at build time, from the same
// table the desktop window is built from:
//     form_page title      the page's title, the window's caption;
//     form_page controls   the controls' markup, with their fixed texts and accessible names;
//     form_page style      each shown control's place in CSS pixels (15 twips to a pixel), as
//                          custom properties (--left, --top, --width, --height), its background,
//                          the colours of the button's bevel and the window's font (--font-size,
//                          --font-face, --font-weight).
// The page's own style.css places and styles the controls by kind (.label, .option …), and so does
// the page's script find them: no id or colour is written twice.
#include "shown_text.h"
#include "spoken_expression.h"
#include "window_form.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using WindowForm::Control;
using WindowForm::Kind;

std::string rgb(const WindowForm::Colour &colour)
{
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

std::string px(int twips)
{
    return std::to_string(WindowForm::pixels(twips)) + "px";
}

std::string escaped(std::string_view text)
{
    std::string html;
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

// A control's accessible name, where it is not its text.
std::string label(const Control &row)
{
    return row.accessibleName.empty() || row.accessibleName == row.text
               ? std::string()
               : " aria-label=\"" + escaped(row.accessibleName) + "\"";
}

// The options of a group, each its own label around a radio button of the group, in tab order.
std::string options(std::string_view group)
{
    std::string markup;
    for (const Control *row : WindowForm::tabOrder()) {
        if (row->kind == Kind::Option) {
            markup += "<label id=\"" + std::string(row->name) +
                      "\" class=\"option\"><input type=\"radio\" name=\"" + std::string(group) +
                      "\"" + label(*row) + "><span>" + escaped(row->text) + "</span></label>\n";
        }
    }
    return markup;
}

// A text box's content: its text as shown, in a span that screen readers pass over, then the same
// text in words (spokenText()) as the box's own text, which only they read. page.js writes both
// when the text changes.
std::string readInWords(const std::string &text)
{
    return "<span class=\"shown\" aria-hidden=\"true\">" + escaped(text) + "</span>" +
           escaped(spokenText(text));
}

std::string control(const Control &row)
{
    const std::string id(row.name);
    const std::string description = id + "_description";
    switch (row.kind) {
    case Kind::Label: {
        const char *what = row.index == WindowForm::headingLabel ? "heading" : "caption";
        return "<div id=\"" + id + "\" class=\"label " + what + "\">" + escaped(row.text) +
               "</div>\n";
    }
    case Kind::InfoBox:
        return "<div id=\"" + id +
               "\" class=\"infobox\" role=\"textbox\" aria-readonly=\"true\" "
               "aria-multiline=\"true\" tabindex=\"0\"" +
               label(row) + ">" + readInWords(shownText(row.text)) + "</div>\n";
    case Kind::Frame:
        return "<div id=\"" + id + "\" class=\"frame\" role=\"radiogroup\"" + label(row) + ">\n" +
               options(row.name) + "</div>\n";
    case Kind::Button:
        return "<button id=\"" + id + "\" class=\"button\" type=\"button\" aria-describedby=\"" +
               description + "\"" + label(row) + ">" + escaped(row.text) +
               "</button>\n<span id=\"" + description + "\" hidden>" +
               escaped(row.accessibleDescription) + "</span>\n";
    case Kind::TextBox:
        // Read-only, so a tap opens no on-screen keyboard, and able to wrap where the page is
        // narrow. Its text comes with each exercise.
        return "<div id=\"" + id +
               "\" class=\"textbox\" role=\"textbox\" aria-readonly=\"true\" tabindex=\"0\"" +
               label(row) + ">" + readInWords("") + "</div>\n";
    default:
        return {};
    }
}

// A control's place in the tab order, where it takes the focus: the frame takes its options'.
std::optional<std::size_t> tabPlace(const Control &row, const std::vector<const Control *> &order)
{
    for (std::size_t place = 0; place < order.size(); ++place) {
        if (order[place] == &row ||
            (row.kind == Kind::Frame && order[place]->kind == Kind::Option)) {
            return place;
        }
    }
    return std::nullopt;
}

// The window stores its controls back to front; the page lists them front to back, the order in
// which a reader meets them (the heading first), except that the controls that take the focus come
// in the form's tab order, which is the order in which the Tab key meets them on the page:
// feedback, options, "Чисти", expression.
void writeControls()
{
    const auto &rows = WindowForm::controls();
    const Control &window = WindowForm::window();
    std::vector<const Control *> shown;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (row->shown && row->kind != Kind::Option) {
            shown.push_back(&*row);
        }
    }
    const std::vector<const Control *> order = WindowForm::tabOrder();
    std::vector<std::size_t> stops;
    std::vector<const Control *> focusable;
    for (std::size_t at = 0; at < shown.size(); ++at) {
        if (tabPlace(*shown[at], order)) {
            stops.push_back(at);
            focusable.push_back(shown[at]);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [&order](const Control *a, const Control *b) {
                         return tabPlace(*a, order) < tabPlace(*b, order);
                     });
    for (std::size_t stop = 0; stop < stops.size(); ++stop) {
        shown[stops[stop]] = focusable[stop];
    }
    std::string markup =
        "<main id=\"" + std::string(window.name) + "\" class=\"window loading\">\n";
    for (const Control *row : shown) {
        markup += control(*row);
    }
    // What screen readers say at once: each answer, and a new exercise (page.js).
    markup += "<div id=\"Announcer\" class=\"announcer\" aria-live=\"polite\"></div>\n</main>\n";
    std::fputs(markup.c_str(), stdout);
}

void writeStyle()
{
    const Control &window = WindowForm::window();
    const std::string background = rgb(window.background.value_or(WindowForm::windowColour));
    const WindowForm::Font &font = window.font;
    std::printf("/* The window's form: places, colours and font. */\n");
    std::printf("html, body { background: %s; }\n", background.c_str());
    // CSS pixels are at 96 dpi; the page's own face stands in for the form's (style.css).
    std::printf(":root { --font-size: %dpx; --font-face: \"%s\"; --font-weight: %d; }\n",
                WindowForm::fontPixels(font, 96), std::string(font.face).c_str(), font.weight);
    std::printf("#%s { --width: %s; --height: %s; background: %s; "
                "--bevel-highlight: %s; --bevel-face: %s; --bevel-shadow: %s; }\n",
                std::string(window.name).c_str(), px(window.place.width).c_str(),
                px(window.place.height).c_str(), background.c_str(),
                rgb(WindowForm::bevelHighlight).c_str(), rgb(WindowForm::bevelFace).c_str(),
                rgb(WindowForm::bevelShadow).c_str());
    for (const Control &row : WindowForm::controls()) {
        if (!row.shown) {
            continue; // the hidden list boxes and text box are not on the page
        }
        std::string rule = "#" + std::string(row.name) + " { --left: " + px(row.place.left) +
                           "; --top: " + px(row.place.top) + "; --width: " + px(row.place.width) +
                           "; --height: " + px(row.place.height) + ";";
        if (row.background) {
            rule += " background: " + rgb(*row.background) + ";";
        }
        std::printf("%s }\n", rule.c_str());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string_view what = argc == 2 ? argv[1] : "";
    try {
        if (what == "title") {
            std::printf("%s\n", escaped(WindowForm::window().text).c_str());
        } else if (what == "controls") {
            writeControls();
        } else if (what == "style") {
            writeStyle();
        } else {
            std::fputs("usage: form_page title|controls|style\n", stderr);
            return 2;
        }
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "form_page: %s\n", error.what());
        return 1;
    }
}
