// SPDX-License-Identifier: MIT
#pragma once

#include "pool.h"

#include <string>
#include <vector>

// A pool kept in a plain vector, for running exercises without a window.
class VectorPool final : public Pool {
public:
    void clear() override;
    void append(std::string_view item) override;
    std::string itemAt(int position) const override;
    void removeAt(int position) override;
    int count() const override;

    const std::vector<std::string> &items() const { return list; }

private:
    std::vector<std::string> list;
};
