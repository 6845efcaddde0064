// SPDX-License-Identifier: MIT
// The pools as the items of Qt's list widgets.
#include "list_box_view.h"

#include <QListWidget>

template <> void ListBoxPool<QListWidget *>::clear()
{
    list->clear();
}

template <> void ListBoxPool<QListWidget *>::append(std::string_view item)
{
    list->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
}

template <> std::string ListBoxPool<QListWidget *>::itemAt(int position) const
{
    checkPosition(position);
    return list->item(position)->text().toStdString();
}

template <> void ListBoxPool<QListWidget *>::removeAt(int position)
{
    checkPosition(position);
    delete list->takeItem(position);
}

template <> int ListBoxPool<QListWidget *>::count() const
{
    return list->count();
}

template class ListBoxPool<QListWidget *>;
