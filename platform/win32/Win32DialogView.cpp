#include "platform/win32/Win32DialogView.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {

using ombrel::win32::Wide;

void Win32DialogView::SetCaption(const WideString& text) {
    SetWindowTextW(dialog_, Wide(text.CStr()));
}

void Win32DialogView::SetItemText(int id, const WideString& text) {
    SetDlgItemTextW(dialog_, id, Wide(text.CStr()));
}

void Win32DialogView::ShowItem(int id, bool shown) {
    ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

void Win32DialogView::EnableItem(int id, bool enabled) {
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

void Win32DialogView::AddItemStyle(int id, std::uint32_t style) {
    HWND control = Item(id);
    if (control == nullptr) return;
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | style);
}

bool Win32DialogView::IsItemChecked(int id) const {
    return IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
}

void Win32DialogView::CheckItem(int id, bool checked) {
    CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

std::int32_t Win32DialogView::ComboSelection(int id) const {
    return static_cast<std::int32_t>(SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0));
}

std::int32_t Win32DialogView::ItemWidth(int id) const {
    RECT bounds = {};
    GetWindowRect(Item(id), &bounds);
    return bounds.right - bounds.left;
}

void Win32DialogView::InsertListColumn(int id, const WideString& text, std::int32_t width) {
    std::wstring title(Wide(text.CStr()));
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = title.data();
    SendDlgItemMessageW(dialog_, id, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void Win32DialogView::DeleteAllListItems(int id) {
    SendDlgItemMessageW(dialog_, id, LVM_DELETEALLITEMS, 0, 0);
}

TreeControl& Win32DialogView::Tree(int id) {
    tree_.emplace(Item(id));
    return *tree_;
}

HWND Win32DialogView::Tooltips() const {
    // The slot holds the tooltip window's handle as a number.
    return reinterpret_cast<HWND>(  // NOLINT(performance-no-int-to-ptr)
        GetWindowLongPtrW(dialog_, DWLP_USER));
}

void Win32DialogView::CreateTooltips(std::int32_t maximumWidth) {
    HWND tips = CreateWindowExW(
        0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr, module_, nullptr);
    SetWindowPos(tips, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(dialog_, DWLP_USER, reinterpret_cast<LONG_PTR>(tips));
    SendMessageW(tips, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, maximumWidth);
}

void Win32DialogView::AddTooltip(int id, std::uint32_t textId) {
    TTTOOLINFOW tool = {};
    // The size that the common controls of every Windows version accept.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog_;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.hinst = module_;
    tool.lpszText = MAKEINTRESOURCEW(textId);
    SendMessageW(Tooltips(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32DialogView::DestroyTooltips() {
    DestroyWindow(Tooltips());
}

void Win32DialogView::Post(std::uint32_t message) {
    PostMessageW(dialog_, message, 0, 0);
}

void Win32DialogView::End(std::intptr_t result) {
    EndDialog(dialog_, result);
}

}  // namespace ombrel::platform::win32
