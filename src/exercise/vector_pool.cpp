// SPDX-License-Identifier: MIT
#include "vector_pool.h"

#include <stdexcept>

namespace {

std::size_t checkedPosition(int position, std::size_t size)
{
    if (position < 0 || static_cast<std::size_t>(position) >= size) {
        throw std::out_of_range("pool position out of range");
    }
    return static_cast<std::size_t>(position);
}

} // namespace

void VectorPool::clear()
{
    list.clear();
}

void VectorPool::append(std::string_view item)
{
    list.emplace_back(item);
}

std::string VectorPool::itemAt(int position) const
{
    return list[checkedPosition(position, list.size())];
}

void VectorPool::removeAt(int position)
{
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(checkedPosition(position, list.size())));
}

int VectorPool::count() const
{
    return static_cast<int>(list.size());
}
