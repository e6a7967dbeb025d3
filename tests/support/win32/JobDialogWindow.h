#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ombrel::standin {

// A window with the settings dialog's log list 208 (a report list view with one column) and
// progress bar 209, for the job to update; not shown.
class JobDialogWindow {
  public:
    JobDialogWindow();
    ~JobDialogWindow();
    JobDialogWindow(const JobDialogWindow&) = delete;
    JobDialogWindow& operator=(const JobDialogWindow&) = delete;

    bool Created() const { return log_ != nullptr && progress_ != nullptr; }
    HWND Dialog() const { return dialog_; }
    HWND Log() const { return log_; }

    std::vector<std::wstring> LogLines() const;
    int Position() const;
    int RangeMaximum() const;
    // Takes the WM_USER + 1 notices posted to the window so far; how many there were, each
    // checked for wParam 0 and lParam 0 (others do not count).
    int TakeJobEndedNotices() const;

  private:
    HWND dialog_ = nullptr;
    HWND log_ = nullptr;
    HWND progress_ = nullptr;
};

// Waits for the handle while handling what is sent to this thread's windows, as a dialog's thread
// keeps doing while a worker updates it. False on time-out.
bool WaitHandlingSentMessages(HANDLE handle, DWORD milliseconds = 60000);

}  // namespace ombrel::standin
