#include "tests/support/win32/JobDialogWindow.h"

#include <commctrl.h>

namespace ombrel::standin {

JobDialogWindow::JobDialogWindow() {
    const INITCOMMONCONTROLSEX controls = {sizeof controls,
                                           ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HINSTANCE module = GetModuleHandleW(nullptr);
    dialog_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, module,
                              nullptr);
    log_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_NOCOLUMNHEADER, 0, 0,
                           300, 200, dialog_, reinterpret_cast<HMENU>(208), module, nullptr);
    progress_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 0, 210, 300, 20, dialog_,
                                reinterpret_cast<HMENU>(209), module, nullptr);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 270;
    SendMessageW(log_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

JobDialogWindow::~JobDialogWindow() {
    DestroyWindow(dialog_);
}

std::vector<std::wstring> JobDialogWindow::LogLines() const {
    std::vector<std::wstring> lines;
    const auto count = static_cast<int>(SendMessageW(log_, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        wchar_t text[512] = {};
        LVITEMW item = {};
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(log_, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
        lines.emplace_back(text);
    }
    return lines;
}

int JobDialogWindow::Position() const {
    return static_cast<int>(SendMessageW(progress_, PBM_GETPOS, 0, 0));
}

int JobDialogWindow::RangeMaximum() const {
    return static_cast<int>(SendMessageW(progress_, PBM_GETRANGE, FALSE, 0));
}

int JobDialogWindow::TakeJobEndedNotices() const {
    int notices = 0;
    MSG message = {};
    while (PeekMessageW(&message, dialog_, WM_USER + 1, WM_USER + 1, PM_REMOVE)) {
        if (message.wParam == 0 && message.lParam == 0) ++notices;
    }
    return notices;
}

bool WaitHandlingSentMessages(HANDLE handle, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return false;
        const DWORD result =
            MsgWaitForMultipleObjects(1, &handle, FALSE, milliseconds - elapsed, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return false;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace ombrel::standin
