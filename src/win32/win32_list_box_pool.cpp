// SPDX-License-Identifier: MIT
// The pools as the items of Windows' LISTBOX controls, through the list box's own messages.
#include "list_box_view.h"

#include "unicode.h"

#include <windows.h>

#include <stdexcept>
#include <string>

template <> void ListBoxPool<HWND>::clear()
{
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
}

template <> void ListBoxPool<HWND>::append(std::string_view item)
{
    const std::wstring wide = toWide(item);
    const LRESULT added =
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) {
        throw std::runtime_error("a list box refused an item");
    }
}

template <> std::string ListBoxPool<HWND>::itemAt(int position) const
{
    checkPosition(position);
    const auto index = static_cast<WPARAM>(position);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    return toUtf8(item);
}

template <> void ListBoxPool<HWND>::removeAt(int position)
{
    checkPosition(position);
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(position), 0);
}

template <> int ListBoxPool<HWND>::count() const
{
    return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

template class ListBoxPool<HWND>;
