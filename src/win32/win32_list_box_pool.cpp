// SPDX-License-Identifier: MIT
#include "win32_list_box_pool.h"

#include "unicode.h"

#include <stdexcept>

HWND Win32ListBoxPool::list() const
{
    if (listBox == nullptr) {
        throw std::logic_error("a pool was used before its list box was created");
    }
    return listBox;
}

void Win32ListBoxPool::clear()
{
    SendMessageW(list(), LB_RESETCONTENT, 0, 0);
}

void Win32ListBoxPool::append(std::string_view item)
{
    const std::wstring wide = toWide(item);
    const LRESULT added =
        SendMessageW(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) {
        throw std::runtime_error("a list box refused an item");
    }
}

std::string Win32ListBoxPool::itemAt(int position) const
{
    checkPosition(position);
    const auto index = static_cast<WPARAM>(position);
    const LRESULT length = SendMessageW(list(), LB_GETTEXTLEN, index, 0);
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    return toUtf8(item);
}

void Win32ListBoxPool::removeAt(int position)
{
    checkPosition(position);
    SendMessageW(list(), LB_DELETESTRING, static_cast<WPARAM>(position), 0);
}

int Win32ListBoxPool::count() const
{
    return static_cast<int>(SendMessageW(list(), LB_GETCOUNT, 0, 0));
}
