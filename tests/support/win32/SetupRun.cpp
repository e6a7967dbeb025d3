#include "tests/support/win32/SetupRun.h"

#include <commctrl.h>
#include <objbase.h>

namespace ombrel::standin {
namespace {

constexpr const wchar_t* kDialogClass = L"#32770";

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, kDialogClass) != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;  // NOLINT(performance-no-int-to-ptr)
    return FALSE;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

SetupRun::SetupRun(PluginLibrary& library) : library_(library) {
    windowShown_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &HostThreadBody, this, 0, &hostThread_);
    WaitForSingleObject(windowShown_, 10000);
    WaitUntil(
        [this] {
            EnumThreadWindows(hostThread_, &FindDialog, reinterpret_cast<LPARAM>(&dialog_));
            return dialog_ != nullptr;
        },
        std::chrono::seconds(10));
}

SetupRun::~SetupRun() {
    while (WaitForSingleObject(thread_, 100) == WAIT_TIMEOUT) {
        HWND dialog = nullptr;
        EnumThreadWindows(hostThread_, &FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog != nullptr) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    CloseHandle(thread_);
    CloseHandle(windowShown_);
}

DWORD WINAPI SetupRun::HostThreadBody(LPVOID parameter) {
    auto* run = static_cast<SetupRun*>(parameter);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    run->hostWindow_ = CreateWindowExW(0, L"Static", L"The host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(run->hostWindow_);
    SetEvent(run->windowShown_);
    run->result_ = run->library_.Setup();
    DestroyWindow(run->hostWindow_);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

std::optional<int> SetupRun::Result(std::chrono::milliseconds limit) {
    if (WaitForSingleObject(thread_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    return result_;
}

std::wstring SetupRun::Text(int id) const {
    return WindowText(Item(id));
}

bool SetupRun::IsVisible(int id) const {
    return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool SetupRun::IsEnabled(int id) const {
    return IsWindowEnabled(Item(id)) != FALSE;
}

bool SetupRun::IsChecked(int id) const {
    return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetupRun::Command(int id) const {
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(id)));
}

void SetupRun::PostCommand(int id) const {
    PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(id)));
}

void SetupRun::Click(int id) const {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
}

bool SetupRun::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(10);
    }
    return true;
}

bool SetupRun::WaitForText(int id, const std::wstring& text) const {
    return WaitUntil([&] { return Text(id) == text; });
}

std::vector<std::wstring> SetupRun::LogLines() const {
    HWND list = Item(208);
    std::vector<std::wstring> lines;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        LVITEMW item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        lines.emplace_back(text);
    }
    return lines;
}

std::vector<ShownTreeItem> SetupRun::TreeItems() const {
    HWND tree = Item(201);
    std::vector<ShownTreeItem> items;
    const auto walk = [&](HTREEITEM first, int depth, const auto& self) -> void {
        for (HTREEITEM at = first; at != nullptr; at = TreeView_GetNextSibling(tree, at)) {
            wchar_t text[256] = {};
            TVITEMW item = {};
            item.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
            item.hItem = at;
            item.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED;
            item.pszText = text;
            item.cchTextMax = 256;
            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            items.push_back({text, depth,
                             (item.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2),
                             (item.state & TVIS_EXPANDED) != 0});
            self(TreeView_GetChild(tree, at), depth + 1, self);
        }
    };
    walk(TreeView_GetRoot(tree), 0, walk);
    return items;
}

HTREEITEM SetupRun::FindTreeItem(const std::wstring& text) const {
    HWND tree = Item(201);
    HTREEITEM found = nullptr;
    const auto walk = [&](HTREEITEM first, const auto& self) -> void {
        for (HTREEITEM at = first; at != nullptr && found == nullptr;
             at = TreeView_GetNextSibling(tree, at)) {
            wchar_t shown[256] = {};
            TVITEMW item = {};
            item.mask = TVIF_TEXT | TVIF_HANDLE;
            item.hItem = at;
            item.pszText = shown;
            item.cchTextMax = 256;
            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            if (text == shown) found = at;
            self(TreeView_GetChild(tree, at), self);
        }
    };
    walk(TreeView_GetRoot(tree), walk);
    return found;
}

void SetupRun::SetTreeCheck(const std::wstring& text, bool checked) const {
    TVITEMW item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = FindTreeItem(text);
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(Item(201), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace ombrel::standin
