#pragma once

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/win32/PluginLibrary.h"

namespace ombrel::standin {

// One item of a tree-view control, as the user sees it.
struct ShownTreeItem {
    std::wstring text;
    int depth = 0;  // 0 for the top level
    bool checked = false;
    bool expanded = false;
};

// TBP_Setup of the library called on a host thread of its own, as the mail client calls it from
// its main window, and the dialog it shows driven from the calling thread by window messages:
// found once it appears, its controls read, its buttons pressed.
class SetupRun {
  public:
    // Starts the host thread: it shows and activates a main window of its own, which the dialog
    // is to be owned by, then calls TBP_Setup.
    explicit SetupRun(PluginLibrary& library);
    // Closes a dialog still open, answering the stop question with its default, and waits for
    // the host thread.
    ~SetupRun();
    SetupRun(const SetupRun&) = delete;
    SetupRun& operator=(const SetupRun&) = delete;

    // The dialog, once shown (null when none appeared within a few seconds).
    HWND Dialog() const { return dialog_; }
    HWND HostWindow() const { return hostWindow_; }
    DWORD HostThread() const { return hostThread_; }
    // TBP_Setup's result once it has returned; nothing when it does not return within the limit.
    std::optional<int> Result(std::chrono::milliseconds limit = std::chrono::seconds(20));

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    std::wstring Text(int id) const;
    bool IsVisible(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // The WM_COMMAND that a click of the control sends; returns once the dialog has handled it.
    void Command(int id) const;
    // The same command posted, for a command that waits until the test does something.
    void PostCommand(int id) const;
    // BM_CLICK to the button, as a click of the mouse.
    void Click(int id) const;
    // Polls until `done` holds; false when it does not within the limit.
    static bool WaitUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(30));
    bool WaitForText(int id, const std::wstring& text) const;

    // The texts of the log list 208.
    std::vector<std::wstring> LogLines() const;
    // Every item of the tree 201, depth-first.
    std::vector<ShownTreeItem> TreeItems() const;
    // Sets an item's check mark as a click on its check box does.
    void SetTreeCheck(const std::wstring& text, bool checked) const;

  private:
    static DWORD WINAPI HostThreadBody(LPVOID parameter);
    HTREEITEM FindTreeItem(const std::wstring& text) const;

    PluginLibrary& library_;
    HANDLE thread_ = nullptr;
    DWORD hostThread_ = 0;
    HWND hostWindow_ = nullptr;
    HWND dialog_ = nullptr;
    HANDLE windowShown_ = nullptr;
    int result_ = 0;
};

}  // namespace ombrel::standin
