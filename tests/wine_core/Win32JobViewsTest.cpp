#include "platform/win32/Win32JobViews.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Threads.h"

namespace ombrel::platform::win32 {
namespace {

// A window with the dialog's log list 208 and progress bar 209.
class DialogControls : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls,
                                         ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        HINSTANCE module = GetModuleHandleW(nullptr);
        dialog_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  module, nullptr);
        log_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_NOCOLUMNHEADER, 0,
                               0, 300, 200, dialog_, reinterpret_cast<HMENU>(208), module, nullptr);
        progress_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 0, 210, 300, 20, dialog_,
                                    reinterpret_cast<HMENU>(209), module, nullptr);
        ASSERT_NE(log_, nullptr);
        ASSERT_NE(progress_, nullptr);
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 270;
        SendMessageW(log_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        view_ = Win32JobViews().ForDialog(dialog_);
    }
    void TearDown() override { DestroyWindow(dialog_); }

    std::wstring LogLine(int index) const {
        wchar_t text[128] = {};
        LVITEMW item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(log_, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int LogCount() const { return static_cast<int>(SendMessageW(log_, LVM_GETITEMCOUNT, 0, 0)); }
    int Position() const { return static_cast<int>(SendMessageW(progress_, PBM_GETPOS, 0, 0)); }

    HWND dialog_ = nullptr;
    HWND log_ = nullptr;
    HWND progress_ = nullptr;
    std::unique_ptr<JobView> view_;
};

TEST_F(DialogControls, LogLinesGoLastInTheOrderTheyCame) {
    view_->AppendLogLine(WideString(u"Main\\Inbox (3)"));
    view_->AppendLogLine(WideString(u"----------------------------"));
    view_->AppendLogLine(WideString(u"Indexed 2"));
    ASSERT_EQ(LogCount(), 3);
    EXPECT_EQ(LogLine(0), L"Main\\Inbox (3)");
    EXPECT_EQ(LogLine(2), L"Indexed 2");
}

TEST_F(DialogControls, TheProgressBarTakesRangeStepAndPosition) {
    view_->SetProgressRange(3);
    view_->SetProgressStep(1);
    view_->SetProgressPosition(0);
    view_->StepProgress();
    view_->StepProgress();
    EXPECT_EQ(Position(), 2);
    EXPECT_EQ(SendMessageW(progress_, PBM_GETRANGE, FALSE, 0), 3);
    view_->SetProgressPosition(3);
    EXPECT_EQ(Position(), 3);
}

TEST_F(DialogControls, TheEndOfTheJobIsPostedToTheDialog) {
    view_->PostJobEnded();
    MSG message = {};
    ASSERT_TRUE(PeekMessageW(&message, dialog_, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0U);
    EXPECT_EQ(message.lParam, 0);
}

TEST_F(DialogControls, AWorkerUpdatesTheControlsWhileTheDialogsThreadWaitsForIt) {
    Win32Threads threads;
    auto worker = threads.StartThread([this] {
        for (int i = 0; i < 50; ++i) {
            view_->AppendLogLine(WideString::Formatted(u"Folder %d (1)", i));
            view_->StepProgress();
        }
    });
    ASSERT_NE(worker, nullptr);
    worker->Wait();
    EXPECT_EQ(LogCount(), 50);
    EXPECT_EQ(LogLine(49), L"Folder 49 (1)");
}

}  // namespace
}  // namespace ombrel::platform::win32
