// SPDX-License-Identifier: MIT
// Writes the page's stylesheet of the window's form to standard output, at build time: each shown
// control's place in CSS pixels (15 twips to a pixel) and its background, from the same table the
// desktop window is built from. The page's own style.css adds what only a page needs.
#include "window_form.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

std::string rgb(const WindowForm::Colour &colour)
{
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

std::string px(int twips)
{
    return std::to_string(WindowForm::pixels(twips)) + "px";
}

void writeStyle()
{
    const WindowForm::Control &window = WindowForm::window();
    const std::string background = rgb(window.background.value_or(WindowForm::windowColour));
    std::printf("/* The window's form: places and colours. */\n");
    std::printf("html, body { background: %s; }\n", background.c_str());
    std::printf("#%s { --window-width: %s; width: %s; height: %s; background: %s; }\n",
                std::string(window.name).c_str(), px(window.place.width).c_str(),
                px(window.place.width).c_str(), px(window.place.height).c_str(),
                background.c_str());
    for (const WindowForm::Control &control : WindowForm::controls()) {
        if (!control.shown) {
            continue; // the hidden list boxes and text box are not on the page
        }
        std::string rule = "#" + std::string(control.name) + " { left: " + px(control.place.left) +
                           "; top: " + px(control.place.top) +
                           "; width: " + px(control.place.width) +
                           "; height: " + px(control.place.height) + ";";
        if (control.background) {
            rule += " background: " + rgb(*control.background) + ";";
        }
        std::printf("%s }\n", rule.c_str());
    }
}

} // namespace

int main()
{
    try {
        writeStyle();
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "form_style: %s\n", error.what());
        return 1;
    }
}
