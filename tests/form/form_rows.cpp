// SPDX-License-Identifier: MIT
// Writes the window's form as JSON to standard output, for the Python tests to check the editions
// against: the window and its controls, each with its name, kind ("option", …), index in its
// control array (-1 for none), place in twips [left, top, width, height], background
// ([red, green, blue], or null for the toolkit's own) and fixed text.
//
//     form_rows > form.json
#include "window_form.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::string quoted(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", static_cast<unsigned>(c));
            json += escaped.data();
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string numbers(std::initializer_list<int> values)
{
    std::string json;
    for (const int value : values) {
        json += (json.empty() ? "[" : ", ") + std::to_string(value);
    }
    return json + "]";
}

std::string row(const WindowForm::Control &control)
{
    // Kind's values, in its order.
    constexpr std::array<std::string_view, 8> kinds{"window", "list box", "text box", "button",
                                                    "frame",  "option",   "info box", "label"};
    const std::optional<WindowForm::Colour> &colour = control.background;
    const WindowForm::Twips &place = control.place;
    return "{\"name\": " + quoted(control.name) +
           ", \"kind\": " + quoted(kinds.at(static_cast<std::size_t>(control.kind))) +
           ", \"index\": " + std::to_string(control.index) +
           ", \"place\": " + numbers({place.left, place.top, place.width, place.height}) +
           ", \"background\": " +
           (colour ? numbers({colour->red, colour->green, colour->blue}) : "null") +
           ", \"text\": " + quoted(control.text) + "}";
}

} // namespace

int main()
{
    std::string json = "{\"window\": " + row(WindowForm::window()) + ",\n \"controls\": [";
    const char *separator = "\n  ";
    for (const WindowForm::Control &control : WindowForm::controls()) {
        json += separator + row(control);
        separator = ",\n  ";
    }
    std::fputs((json + "]}\n").c_str(), stdout);
    return 0;
}
