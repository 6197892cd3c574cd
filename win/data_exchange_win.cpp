#include "win/data_exchange_win.h"

#include <vector>

HWND DataExchange::Item(int id) {
    HWND item = ::GetDlgItem(dialog_, id);
    if (!item)
        failed_ = true;
    return item;
}

void DataExchange::Control(int id, HWND& control) {
    HWND item = Item(id);
    if (item)
        control = item;
}

void DataExchange::Check(int id, int& value) {
    HWND item = Item(id);
    if (!item)
        return;
    if (saving_) {
        const LRESULT state = ::SendMessageA(item, BM_GETCHECK, 0, 0);
        value = state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
    } else {
        const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        ::SendMessageA(item, BM_SETCHECK, state, 0);
    }
}

void DataExchange::Text(int id, std::string& value) {
    HWND item = Item(id);
    if (!item)
        return;
    if (!saving_) {
        ::SetWindowTextA(item, value.c_str());
        return;
    }
    // The text may change between the two calls: the copy is bounded by the buffer.
    const LRESULT length = ::SendMessageA(item, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(item, WM_GETTEXT, static_cast<WPARAM>(buffer.size()), reinterpret_cast<LPARAM>(buffer.data()));
    value.assign(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}
