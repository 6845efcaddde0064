// SPDX-License-Identifier: MIT
#include "list_box_pool.h"

#include <QListWidget>

void ListBoxPool::clear()
{
    list->clear();
}

void ListBoxPool::append(std::string_view item)
{
    list->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
}

std::string ListBoxPool::itemAt(int position) const
{
    checkPosition(position);
    return list->item(position)->text().toStdString();
}

void ListBoxPool::removeAt(int position)
{
    checkPosition(position);
    delete list->takeItem(position);
}

int ListBoxPool::count() const
{
    return list->count();
}
