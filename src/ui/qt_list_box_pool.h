// SPDX-License-Identifier: MIT
#pragma once

#include "pool.h"

#include <string>
#include <string_view>

class QListWidget;

// A pool kept as the items of one of the window's hidden list widgets, so that the items a draw
// removes are gone from the list itself. Used before the window has given it its list, it throws
// std::logic_error.
class QtListBoxPool final : public Pool {
public:
    void keepIn(QListWidget *list) { listBox = list; }

    void clear() override;
    void append(std::string_view item) override;
    std::string itemAt(int position) const override;
    void removeAt(int position) override;
    int count() const override;

private:
    QListWidget &list() const;

    QListWidget *listBox = nullptr;
};
