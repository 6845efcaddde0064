// SPDX-License-Identifier: MIT
// The window's colours in its own process, where the test answers the window's question whether
// High Contrast is on (Wine does not let a program switch the setting on) and sets the system's
// colours itself: a dark scheme whose window, text, button face and button text colours all
// differ. With High Contrast off, the form's faces keep their colours and the form's black text
// whatever the system's colours, and the text boxes take the system's window colour; switched on
// (WM_SETTINGCHANGE), every face takes the system's window colours and "Чисти" the button's, with
// an edge in the button's text colour; switched off again (WM_SYSCOLORCHANGE), the form's colours
// come back. Places are the window's at 96 dpi, written here.
#include "client_pixels.h"
#include "sequence_random.h"
#include "zantrel_window.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int checks = 0;
int failures = 0;

void check(bool passed, const std::string &what)
{
    ++checks;
    if (!passed) {
        ++failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

bool highContrast = false;

bool answerHighContrast()
{
    return highContrast;
}

// Lets the window and its controls paint what they were asked to.
void settle()
{
    for (int round = 0; round < 5; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// Whether `colour` is painted somewhere inside the rectangle.
bool contains(const ClientPixels &shot, const RECT &area, COLORREF colour)
{
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (shot.at(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

struct Face {
    const char *name;
    POINT background; // a point of the face's background
    RECT text;        // where its text is painted, if it has any
};

// The window, Label1_0, Label1_1, Frame1, Option1(4) right of its round mark, and Command1 inside
// its edge.
const std::array<Face, 6> faces{{
    {"window", {4, 4}, {0, 0, 0, 0}},
    {"Label1_0", {58, 2}, {56, 0, 401, 25}},
    {"Label1_1", {162, 34}, {160, 32, 281, 56}},
    {"Frame1", {285, 150}, {0, 0, 0, 0}},
    {"Option1_4", {279, 138}, {178, 137, 281, 156}},
    {"Command1", {308, 212}, {307, 211, 422, 230}},
}};

// Every face has `background` (Command1 `button`), with text in `text` (`buttonText`).
void checkFaces(const ClientPixels &shot, const std::array<COLORREF, 6> &backgrounds, COLORREF text,
                COLORREF buttonText, const std::string &when)
{
    for (std::size_t at = 0; at < faces.size(); ++at) {
        const Face &face = faces.at(at);
        const COLORREF seen = shot.at(face.background.x, face.background.y);
        check(seen == backgrounds.at(at), when + ": " + face.name + "'s background " + rgb(seen) +
                                              ", expected " + rgb(backgrounds.at(at)));
        if (face.text.right > face.text.left) {
            const COLORREF ink = at + 1 == faces.size() ? buttonText : text;
            check(contains(shot, face.text, ink),
                  when + ": " + face.name + "'s text in " + rgb(ink));
        }
    }
}

} // namespace

int wmain()
{
    SequenceRandom random(twoKnownExercises());
    ZantrelWindow zantrel(random, answerHighContrast);
    HWND window = zantrel.create(GetModuleHandleW(nullptr));
    if (window == nullptr) {
        std::puts("FAIL: no window");
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    settle();

    const std::array<COLORREF, 6> form{RGB(192, 192, 255), RGB(255, 192, 128), RGB(255, 192, 128),
                                       RGB(192, 192, 255), RGB(128, 255, 255), RGB(255, 128, 128)};
    checkFaces(ClientPixels(window), form, RGB(0, 0, 0), RGB(0, 0, 0), "the system's own colours");

    // A dark scheme, as a High Contrast theme sets it.
    const std::array<int, 4> elements{COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    const std::array<COLORREF, 4> dark{RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 96),
                                       RGB(255, 255, 0)};
    std::array<COLORREF, 4> before{};
    for (std::size_t at = 0; at < elements.size(); ++at) {
        before.at(at) = GetSysColor(elements.at(at));
    }
    check(SetSysColors(static_cast<int>(elements.size()), elements.data(), dark.data()) != FALSE &&
              GetSysColor(COLOR_BTNFACE) == dark[2],
          "the dark scheme set");
    settle();
    const ClientPixels darkOff(window);
    checkFaces(darkOff, form, RGB(0, 0, 0), RGB(0, 0, 0), "dark system colours");
    check(darkOff.at(450, 262) == dark[0],
          "dark system colours: Text2 in the system's window colour, " + rgb(darkOff.at(450, 262)));

    highContrast = true;
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    settle();
    const ClientPixels on(window);
    checkFaces(on, {dark[0], dark[0], dark[0], dark[0], dark[0], dark[2]}, dark[1], dark[3],
               "High Contrast");
    // The edge: a line in the button's text colour all round "Чисти" (304,208)-(425,233).
    check(on.at(304, 220) == dark[3] && on.at(424, 220) == dark[3] && on.at(360, 208) == dark[3] &&
              on.at(360, 232) == dark[3],
          "High Contrast: Чисти's edge in the button's text colour, " + rgb(on.at(304, 220)));
    check(on.at(450, 262) == dark[0] && contains(on, {11, 243, 440, 278}, dark[1]),
          "High Contrast: Text2 in the system's window colours");

    highContrast = false;
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    settle();
    checkFaces(ClientPixels(window), form, RGB(0, 0, 0), RGB(0, 0, 0), "High Contrast off again");

    SetSysColors(static_cast<int>(elements.size()), elements.data(), before.data());
    DestroyWindow(window);
    std::printf("%d of %d checks passed\n", checks - failures, checks);
    return failures == 0 ? 0 : 1;
}
