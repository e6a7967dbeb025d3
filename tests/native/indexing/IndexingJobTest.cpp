#include "indexing/IndexingJob.h"

#include <gtest/gtest.h>

#include "host/PluginState.h"
#include "indexing/StopCheck.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel {
namespace {

using platform::posix::JobViewUpdate;

class IndexingJobTest : public testing::PluginTest {
  protected:
    IndexingJobTest() { State().accounts = std::make_unique<AccountList>(); }
    ~IndexingJobTest() override { StopJob(); }

    // Runs a job to its end, as the dialog does when the worker's end-of-job notice arrives.
    void RunJobToEnd() {
        ASSERT_TRUE(StartJob(dialog_));
        Job().worker->Wait();
    }

    platform::WindowHandle dialog_ = reinterpret_cast<platform::WindowHandle>(0x1234);
};

TEST_F(IndexingJobTest, AJobWithoutEnabledFoldersWritesOnlyTheRuleAndTheSuccessLine) {
    State().accounts->push_back(std::make_unique<MailAccount>());
    RunJobToEnd();
    EXPECT_EQ(posix.jobViews.LogLines(),
              (std::vector<WideString>{WideString(u"----------------------------"),
                                       WideString(u"Indexing done successfully!")}));
    const auto updates = posix.jobViews.Updates();
    ASSERT_FALSE(updates.empty());
    EXPECT_EQ(updates.back().kind, JobViewUpdate::Kind::JobEnded);
    EXPECT_EQ(updates.back().dialog, dialog_);
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_FALSE(StopRequested());  // the job's stop event is closed with it
}

TEST_F(IndexingJobTest, PauseAndUnpauseDoNothingWhileIdle) {
    EXPECT_FALSE(PauseJob(true));
    EXPECT_FALSE(PauseJob(false));
    EXPECT_EQ(Job().state, JobState::kIdle);
}

TEST_F(IndexingJobTest, AJobCanBeStartedAgainAfterItEnded) {
    RunJobToEnd();
    RunJobToEnd();
    EXPECT_EQ(posix.jobViews.LogLines().size(), 4U);
    EXPECT_TRUE(StopJob());
    EXPECT_EQ(Job().worker, nullptr);
}

TEST_F(IndexingJobTest, AFailedStartLeavesNoJob) {
    class NoThreads final : public platform::Threads {
      public:
        std::unique_ptr<platform::Event> CreateManualResetEvent() override {
            return real_.CreateManualResetEvent();
        }
        std::unique_ptr<platform::Thread> StartThread(std::function<void()> /*body*/) override {
            return nullptr;
        }
        void PausePoint() override {}

      private:
        platform::posix::PosixThreads real_;
    } noThreads;
    platform::Ports ports = platform::CurrentPorts();
    ports.threads = &noThreads;
    const platform::ScopedPorts scoped(ports);
    EXPECT_FALSE(StartJob(dialog_));
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_FALSE(StopRequested());
    EXPECT_TRUE(posix.jobViews.Updates().empty());
}

}  // namespace
}  // namespace ombrel
