// SPDX-License-Identifier: MIT
// What the keys do in the window: the round of Tab with the options as one stop, the arrows that
// choose round the nine options, and the keys left to the controls.
#include "form_places.h"
#include "keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using WindowForm::Key;
using WindowForm::KeyAction;
using WindowForm::Modifiers;

const WindowForm::Control &option(int index)
{
    return formRow("Option1_" + std::to_string(index));
}

// The name of the control an action moves the focus to, or "pass" and "ignore".
std::string outcome(const KeyAction &action)
{
    switch (action.kind) {
    case KeyAction::Kind::Pass:
        return "pass";
    case KeyAction::Kind::Ignore:
        return "ignore";
    case KeyAction::Kind::Focus:
        return std::string(action.target->name);
    case KeyAction::Kind::Choose:
        return "choose " + std::string(action.target->name);
    }
    return "?";
}

std::string press(std::string_view on, Key key, Modifiers held = {}, int chosen = -1)
{
    return outcome(WindowForm::keyAction(formRow(on), key, held, chosen));
}

TEST(Keyboard, TabGoesRoundTheStopsWithTheOptionsAsOneStop)
{
    const Modifiers shift{.shift = true};
    // Nothing chosen: the options' stop is the first.
    EXPECT_EQ(press("Text1_0", Key::Tab), "Option1_0");
    EXPECT_EQ(press("Command1", Key::Tab, shift), "Option1_0");
    for (int chosen = 0; chosen < 9; ++chosen) {
        const std::string stop = "Option1_" + std::to_string(chosen);
        EXPECT_EQ(press("Text1_0", Key::Tab, {}, chosen), stop);
        EXPECT_EQ(press("Command1", Key::Tab, shift, chosen), stop);
        // From any option, on to the button, or back to the feedback box.
        EXPECT_EQ(press("Option1_8", Key::Tab, {}, chosen), "Command1");
        EXPECT_EQ(press("Option1_8", Key::Tab, shift, chosen), "Text1_0");
    }
    EXPECT_EQ(press("Command1", Key::Tab), "Text2");
    EXPECT_EQ(press("Text2", Key::Tab), "Text1_0");
    EXPECT_EQ(press("Text1_0", Key::Tab, shift), "Text2");
    EXPECT_EQ(press("Text2", Key::Tab, shift), "Command1");
    // A control that is no stop (the hidden box) leads to the first.
    EXPECT_EQ(press("Text1_1", Key::Tab), "Text1_0");
    // Ctrl+Tab and Alt+Tab are the system's.
    EXPECT_EQ(press("Text1_0", Key::Tab, {.control = true}), "pass");
    EXPECT_EQ(press("Option1_3", Key::Tab, {.alt = true}, 3), "pass");
}

TEST(Keyboard, ArrowsChooseRoundTheOptionsOnlyWithoutModifiers)
{
    for (int index = 0; index < 9; ++index) {
        const std::string on(option(index).name);
        const std::string next = "choose Option1_" + std::to_string((index + 1) % 9);
        const std::string previous = "choose Option1_" + std::to_string((index + 8) % 9);
        EXPECT_EQ(press(on, Key::Down), next);
        EXPECT_EQ(press(on, Key::Right), next);
        EXPECT_EQ(press(on, Key::Up), previous);
        EXPECT_EQ(press(on, Key::Left), previous);
        for (const Modifiers held : {Modifiers{.shift = true}, Modifiers{.control = true},
                                     Modifiers{.alt = true}, Modifiers{.meta = true}}) {
            EXPECT_EQ(press(on, Key::Down, held), "ignore");
            EXPECT_EQ(press(on, Key::Left, held), "ignore");
        }
        // Space chooses the focused option by the control's own means.
        EXPECT_EQ(press(on, Key::Space), "pass");
    }
    // Elsewhere the arrows and Space are the controls' own.
    for (const std::string_view control : {"Text1_0", "Command1", "Text2"}) {
        EXPECT_EQ(press(control, Key::Down), "pass");
        EXPECT_EQ(press(control, Key::Left, {.shift = true}), "pass");
        EXPECT_EQ(press(control, Key::Space), "pass");
        EXPECT_EQ(press(control, Key::Other), "pass");
    }
}

} // namespace
