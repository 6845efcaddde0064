// SPDX-License-Identifier: MIT
#include "qt_list_box_pool.h"

#include <QListWidget>

#include <stdexcept>

QListWidget &QtListBoxPool::list() const
{
    if (listBox == nullptr) {
        throw std::logic_error("a pool was used before its list box was created");
    }
    return *listBox;
}

void QtListBoxPool::clear()
{
    list().clear();
}

void QtListBoxPool::append(std::string_view item)
{
    list().addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
}

std::string QtListBoxPool::itemAt(int position) const
{
    checkPosition(position);
    return list().item(position)->text().toStdString();
}

void QtListBoxPool::removeAt(int position)
{
    checkPosition(position);
    delete list().takeItem(position);
}

int QtListBoxPool::count() const
{
    return list().count();
}
