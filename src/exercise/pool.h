// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// An ordered list of short texts addressed by 0-based position. An exercise draws its numbers and
// its letters from two pools without replacement: the pools are refilled before every exercise,
// each draw reads the item at a position and removes it, and the items behind it move up one.
// A window may keep its pools in hidden controls of its own; tests and benchmarks use VectorPool.
class Pool {
public:
    virtual ~Pool() = default;

    virtual void clear() = 0;
    virtual void append(std::string_view item) = 0;
    // Both throw std::out_of_range for a position that does not exist.
    virtual std::string itemAt(int position) const = 0;
    virtual void removeAt(int position) = 0;
    virtual int count() const = 0;

protected:
    void checkPosition(int position) const
    {
        if (position < 0 || position >= count()) {
            throw std::out_of_range("pool position out of range");
        }
    }
};
