#include "platform/win32/Win32JobViews.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Threads.h"
#include "tests/support/win32/JobDialogWindow.h"

namespace ombrel::platform::win32 {
namespace {

using Lines = std::vector<std::wstring>;

class DialogControls : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(window_.Created()); }

    standin::JobDialogWindow window_;
    std::unique_ptr<JobView> view_ = Win32JobViews().ForDialog(window_.Dialog());
};

TEST_F(DialogControls, LogLinesGoLastInTheOrderTheyCame) {
    view_->AppendLogLine(WideString(u"Main\\Inbox (3)"));
    view_->AppendLogLine(WideString(u"----------------------------"));
    view_->AppendLogLine(WideString(u"Indexed 2"));
    EXPECT_EQ(window_.LogLines(),
              (Lines{L"Main\\Inbox (3)", L"----------------------------", L"Indexed 2"}));
}

TEST_F(DialogControls, TheProgressBarTakesRangeStepAndPosition) {
    view_->SetProgressRange(3);
    view_->SetProgressStep(1);
    view_->SetProgressPosition(0);
    view_->StepProgress();
    view_->StepProgress();
    EXPECT_EQ(window_.Position(), 2);
    EXPECT_EQ(window_.RangeMaximum(), 3);
    view_->SetProgressPosition(3);
    EXPECT_EQ(window_.Position(), 3);
}

TEST_F(DialogControls, TheEndOfTheJobIsPostedToTheDialog) {
    view_->PostJobEnded();
    EXPECT_EQ(window_.TakeJobEndedNotices(), 1);
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
    const Lines lines = window_.LogLines();
    ASSERT_EQ(lines.size(), 50U);
    EXPECT_EQ(lines.back(), L"Folder 49 (1)");
}

}  // namespace
}  // namespace ombrel::platform::win32
