// SPDX-License-Identifier: MIT
#pragma once

#include "window_form.h"

#include <cstdint>

// What the keys do in the drill's window, the same in every edition: each edition turns its own key
// event into a Key and the modifiers held, asks keyAction() and carries out the answer.
// - An arrow key on an option, with no modifier held, chooses the previous (Up, Left) or next
//   (Down, Right) option, round from the last to the first and back, and gets it judged at once.
//   With Shift, Ctrl, Alt or the Windows (Meta) key held, it chooses nothing. On any other control
//   it is the control's own (a text box moves its caret).
// - Tab moves the focus to the next stop of the form's tab order, Shift+Tab to the previous, round
//   at the ends. The options are one stop: the chosen one, or the first while none is. Tab with
//   Ctrl or Alt is left to the system.
// - Space, like every other key, is the control's own: it chooses the focused option and presses
//   "Чисти".
namespace WindowForm {

enum class Key : std::uint8_t { Tab, Space, Up, Down, Left, Right, Other };

struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool meta = false; // the Windows key, Command on a Mac
};

struct KeyAction {
    enum class Kind : std::uint8_t {
        Pass,   // the control (or the system) handles the key as its own
        Ignore, // nothing happens, and the control does not see the key
        Focus,  // the focus moves to `target`
        Choose, // the focus moves to the option `target`, which is chosen and judged
    };
    Kind kind = Kind::Pass;
    const Control *target = nullptr; // a row of controls()
};

// A key by its virtual-key code, Windows' and the DOM's keyCode alike: 9 Tab, 32 Space, 37 to 40
// Left, Up, Right, Down; any other is Other.
Key keyOfCode(int code);

// The row of the option Option1(index); null for an index that is no option's.
const Control *option(int index);

// What `key` does, pressed with `held` on the control of row `focused`, while the option with index
// `chosen` is the one chosen (-1: none).
KeyAction keyAction(const Control &focused, Key key, Modifiers held, int chosen);

} // namespace WindowForm
