// SPDX-License-Identifier: MIT
#pragma once

#include "pool.h"

class QListWidget;

// A pool kept as the items of a (hidden) list box.
class ListBoxPool final : public Pool {
public:
    explicit ListBoxPool(QListWidget &listBox) : list(&listBox) {}

    void clear() override;
    void append(std::string_view item) override;
    std::string itemAt(int position) const override;
    void removeAt(int position) override;
    int count() const override;

private:
    QListWidget *list; // never null
};
