// SPDX-License-Identifier: MIT
#pragma once

#include "pool.h"

#include <windows.h>

#include <string>
#include <string_view>

// A pool kept as the items of one of the window's hidden LISTBOX controls, through the list box's
// own messages, so that the items a draw removes are gone from the list box itself. Used before
// the window has given it its list box, it throws std::logic_error.
class Win32ListBoxPool final : public Pool {
public:
    void keepIn(HWND list) { listBox = list; }

    void clear() override;
    void append(std::string_view item) override;
    std::string itemAt(int position) const override;
    void removeAt(int position) override;
    int count() const override;

private:
    HWND list() const;

    HWND listBox = nullptr;
};
