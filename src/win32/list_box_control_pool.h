// SPDX-License-Identifier: MIT
#pragma once

#include "pool.h"

#include <windows.h>

// A pool kept as the items of a (hidden) LISTBOX control: every operation is one of the list
// box's own messages, so the items a draw removes are gone from the control itself.
class ListBoxControlPool final : public Pool {
public:
    explicit ListBoxControlPool(HWND listBox) : list(listBox) {}

    void clear() override;
    void append(std::string_view item) override;
    std::string itemAt(int position) const override;
    void removeAt(int position) override;
    int count() const override;

private:
    HWND list;
};
