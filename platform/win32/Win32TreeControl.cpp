#include "platform/win32/Win32TreeControl.h"

#include <commctrl.h>

namespace ombrel::platform::win32 {
namespace {

HTREEITEM Native(TreeControl::Item item) {
    return reinterpret_cast<HTREEITEM>(item);
}

TreeControl::Item Portable(LRESULT item) {
    return static_cast<TreeControl::Item>(item);
}

}  // namespace

TreeControl::Item Win32TreeControl::InsertLast(Item parent, const char16_t* text,
                                               std::intptr_t data, std::uint32_t state,
                                               std::uint32_t stateMask) {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = Native(parent);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
    insert.item.lParam = data;
    insert.item.state = state;
    insert.item.stateMask = stateMask;
    return Portable(SendMessageW(window_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

TreeControl::Item Win32TreeControl::FirstChild(Item item) const {
    // The control's first top-level item is its root item.
    if (item == kRoot) return Portable(SendMessageW(window_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    return Portable(
        SendMessageW(window_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(Native(item))));
}

TreeControl::Item Win32TreeControl::NextSibling(Item item) const {
    return Portable(
        SendMessageW(window_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(Native(item))));
}

std::intptr_t Win32TreeControl::ItemData(Item item) const {
    TVITEMW query = {};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = Native(item);
    if (SendMessageW(window_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) == FALSE) return 0;
    return query.lParam;
}

std::uint32_t Win32TreeControl::ItemState(Item item, std::uint32_t mask) const {
    return static_cast<std::uint32_t>(
        SendMessageW(window_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Native(item)), mask));
}

void Win32TreeControl::SetItemState(Item item, std::uint32_t state, std::uint32_t mask) {
    TVITEMW change = {};
    change.mask = TVIF_STATE | TVIF_HANDLE;
    change.hItem = Native(item);
    change.state = state;
    change.stateMask = mask;
    SendMessageW(window_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

}  // namespace ombrel::platform::win32
