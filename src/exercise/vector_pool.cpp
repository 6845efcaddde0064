// SPDX-License-Identifier: MIT
#include "vector_pool.h"

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
    checkPosition(position);
    return list[static_cast<std::size_t>(position)];
}

void VectorPool::removeAt(int position)
{
    checkPosition(position);
    list.erase(list.begin() + position);
}

int VectorPool::count() const
{
    return static_cast<int>(list.size());
}
