// SPDX-License-Identifier: MIT
#include "keyboard.h"

#include "formulas.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace WindowForm {

namespace {

// The stops of Tab, in the form's order, with the options as one stop: the first's place, held by
// the chosen one (or the first).
std::vector<const Control *> tabStops(int chosen)
{
    std::vector<const Control *> stops;
    bool options = false;
    for (const Control *row : tabOrder()) {
        if (row->kind != Kind::Option) {
            stops.push_back(row);
        } else if (!std::exchange(options, true)) {
            stops.push_back(option(std::max(chosen, 0)));
        }
    }
    return stops;
}

KeyAction tab(const Control &focused, bool backwards, int chosen)
{
    const std::vector<const Control *> stops = tabStops(chosen);
    const auto at = std::find_if(stops.begin(), stops.end(), [&focused](const Control *stop) {
        return stop == &focused || (stop->kind == Kind::Option && focused.kind == Kind::Option);
    });
    std::size_t next = 0; // from a control that is no stop: the first
    if (at != stops.end()) {
        const auto index = static_cast<std::size_t>(std::distance(stops.begin(), at));
        next = (index + (backwards ? stops.size() - 1 : 1)) % stops.size();
    }
    return {KeyAction::Kind::Focus, stops.at(next)};
}

} // namespace

Key keyOfCode(int code)
{
    switch (code) {
    case 9:
        return Key::Tab;
    case 32:
        return Key::Space;
    case 37:
        return Key::Left;
    case 38:
        return Key::Up;
    case 39:
        return Key::Right;
    case 40:
        return Key::Down;
    default:
        return Key::Other;
    }
}

const Control *option(int index)
{
    const auto &rows = controls();
    const auto found = std::find_if(rows.begin(), rows.end(), [index](const Control &row) {
        return row.kind == Kind::Option && row.index == index;
    });
    return found != rows.end() ? &*found : nullptr;
}

KeyAction keyAction(const Control &focused, Key key, Modifiers held, int chosen)
{
    switch (key) {
    case Key::Tab:
        if (held.control || held.alt) {
            return {};
        }
        return tab(focused, held.shift, chosen);
    case Key::Up:
    case Key::Left:
    case Key::Down:
    case Key::Right: {
        if (focused.kind != Kind::Option) {
            return {};
        }
        if (held.shift || held.control || held.alt || held.meta) {
            return {KeyAction::Kind::Ignore, nullptr};
        }
        const int step = key == Key::Up || key == Key::Left ? FormulaCount - 1 : 1;
        return {KeyAction::Kind::Choose, option((focused.index + step) % FormulaCount)};
    }
    case Key::Space:
    case Key::Other:
        break;
    }
    return {};
}

} // namespace WindowForm
