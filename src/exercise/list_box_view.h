// SPDX-License-Identifier: MIT
#pragma once

#include "exercise_view.h"
#include "pool.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A pool kept as the items of one of the window's hidden list boxes, whatever the toolkit:
// ListBox is the toolkit's handle to the list box (QListWidget * for Qt, HWND for Windows). Each
// edition defines the five operations for its own list box (and declares that it does, with
// `extern template class ListBoxPool<…>`), so the items a draw removes are gone from the list box
// itself.
template <typename ListBox> class ListBoxPool final : public Pool {
public:
    explicit ListBoxPool(ListBox listBox) : list(listBox) {}

    void clear() override;
    void append(std::string_view item) override;
    std::string itemAt(int position) const override;
    void removeAt(int position) override;
    int count() const override;

private:
    ListBox list;
};

// A window that keeps its pools in its hidden list boxes, List1(0) for the numbers and List1(1)
// for the letters, once it has made them.
template <typename ListBox> class ListBoxView : public ExerciseView {
public:
    Pool &numberPool() override { return made(numbers); }
    Pool &letterPool() override { return made(letters); }

protected:
    std::optional<ListBoxPool<ListBox>> numbers;
    std::optional<ListBoxPool<ListBox>> letters;

private:
    // The pool itself, for the exercise to change (so not const); an error before the window has
    // made its list boxes.
    // cppcheck-suppress [constParameter, constParameterReference]
    static Pool &made(std::optional<ListBoxPool<ListBox>> &pool)
    {
        if (!pool) {
            throw std::logic_error("a pool was used before its list box was created");
        }
        return *pool;
    }
};
