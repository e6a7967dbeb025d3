#include "indexing/IndexingJob.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "host/PluginApi.h"
#include "indexing/StopCheck.h"
#include "tests/native/indexing/JobTest.h"

namespace ombrel {
namespace {

using Lines = std::vector<std::string>;
using testing::k2006;
using testing::SimpleMessage;
using testing::StoredMessage;

class IndexingJobTest : public testing::JobTest {
  protected:
    void AddInbox(std::uint32_t status = 0) {
        mailbox.Add(mailbox.Root(), u"Inbox",
                    std::vector<StoredMessage>{SimpleMessage("one", k2006, status),
                                               SimpleMessage("two", k2006, status),
                                               SimpleMessage("three", k2006, status)},
                    true);
    }
    // Starts a job whose worker holds inside the first submission until Release.
    void StartHeldJob() {
        AddInbox();
        std::shared_future<void> released = release_.get_future().share();
        journal.OnEnter("Submit", [this, released] {
            if (++submissions_ != 1) return;
            reached_.set_value();
            released.wait();
        });
        ASSERT_TRUE(StartJob(dialog));
        reached_.get_future().wait();
    }
    void Release() { release_.set_value(); }

  private:
    std::atomic<int> submissions_ = 0;
    std::promise<void> reached_;
    std::promise<void> release_;
};

TEST_F(IndexingJobTest, AJobWithoutEnabledFoldersWritesOnlyTheRuleAndTheSuccessLine) {
    mailbox.Add(mailbox.Root(), u"Inbox", std::vector<StoredMessage>{SimpleMessage("one", k2006)},
                false);
    RunJobToEnd();
    EXPECT_EQ(Updates(), (Lines{"log ----------------------------",
                                "log Indexing done successfully!", "ended"}));
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_FALSE(StopRequested());  // the job's stop event is closed with it
}

TEST_F(IndexingJobTest, AJobThatSkipsEverythingShowsOnlyTheSkippedCount) {
    AddInbox(0x1);
    RunJobToEnd();
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (3)", "----------------------------", "Skipped 3",
                            "Indexing done successfully!"}));
}

TEST_F(IndexingJobTest, PauseAndUnpauseDoNothingWhileIdle) {
    EXPECT_FALSE(PauseJob(true));
    EXPECT_FALSE(PauseJob(false));
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_TRUE(StopJob());
    EXPECT_EQ(Job().state, JobState::kIdle);
}

TEST_F(IndexingJobTest, AJobCanBeStartedAgainAfterItEnded) {
    AddInbox();
    RunJobToEnd();
    RunJobToEnd();
    EXPECT_EQ(Log().size(), 8U);
    EXPECT_EQ(Job().totals.indexed, 3);  // totals start again with each job
    EXPECT_EQ(journal.Events().size(), 6U);
    EXPECT_TRUE(StopJob());
    EXPECT_EQ(Job().worker, nullptr);
}

TEST_F(IndexingJobTest, AStopWhilePausedEndsTheJobWithoutSummaryOrErrorLine) {
    StartHeldJob();
    EXPECT_TRUE(PauseJob(true));
    EXPECT_EQ(Job().state, JobState::kPaused);
    Release();  // the worker now holds at its next check point
    EXPECT_TRUE(StopJob());
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_FALSE(StopRequested());
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (3)"}));
    EXPECT_EQ(Updates().back(), "ended");
    EXPECT_EQ(Subjects(), (Lines{"one"}));
}

TEST_F(IndexingJobTest, TwoPausesNeedTwoUnpauses) {
    StartHeldJob();
    EXPECT_TRUE(PauseJob(true));  // the user's
    EXPECT_TRUE(PauseJob(true));  // the dialog's, while it asks whether to stop
    Release();
    EXPECT_TRUE(PauseJob(false));
    EXPECT_EQ(Job().state, JobState::kPaused);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Subjects(), (Lines{"one"}));  // still held
    EXPECT_TRUE(PauseJob(false));
    // Running again, or already idle when the worker finished its last messages at once.
    EXPECT_NE(Job().state, JobState::kPaused);
    Job().worker->Wait();
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_EQ(Log().back(), "Indexing done successfully!");
    EXPECT_EQ(Subjects(), (Lines{"one", "two", "three"}));
}

// A worker that ends just as the dialog's thread pauses or unpauses it: its suspension or
// resumption comes after the worker has set the state to idle.
class EndsDuringTheCall final : public platform::Thread {
  public:
    explicit EndsDuringTheCall(std::unique_ptr<platform::Thread> worker)
        : worker_(std::move(worker)) {}
    std::int32_t Suspend() override {
        Job().state = JobState::kIdle;
        return worker_->Suspend();
    }
    std::int32_t Resume() override {
        Job().state = JobState::kIdle;
        return worker_->Resume();
    }
    bool WaitFor(std::chrono::milliseconds limit) override { return worker_->WaitFor(limit); }
    bool IsRunning() const override { return worker_->IsRunning(); }
    bool IsCurrentThread() const override { return worker_->IsCurrentThread(); }

  private:
    std::unique_ptr<platform::Thread> worker_;
};

TEST_F(IndexingJobTest, APauseThatComesAsTheWorkerEndsLeavesItIdleAndRunning) {
    StartHeldJob();
    Job().worker = std::make_unique<EndsDuringTheCall>(std::move(Job().worker));
    EXPECT_FALSE(PauseJob(true));
    EXPECT_EQ(Job().state, JobState::kIdle);
    Job().state = JobState::kPaused;
    EXPECT_TRUE(PauseJob(false));
    EXPECT_EQ(Job().state, JobState::kIdle);  // not running again after its end
    Release();
    Job().worker->Wait();  // the late suspension was undone: the worker finishes
    EXPECT_EQ(Log().back(), "Indexing done successfully!");
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
    EXPECT_FALSE(StartJob(dialog));
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_FALSE(StopRequested());
    EXPECT_TRUE(posix.jobViews.Updates().empty());
}

TEST_F(IndexingJobTest, AStopWithALimitEndsAPausedWorker) {
    StartHeldJob();
    EXPECT_TRUE(PauseJob(true));
    EXPECT_TRUE(PauseJob(true));
    Release();
    EXPECT_TRUE(StopJobWithin(std::chrono::seconds(20)));
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_FALSE(StopRequested());
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (3)"}));
}

TEST_F(IndexingJobTest, AWorkerThatDoesNotStopInTimeKeepsWhatItUses) {
    StartHeldJob();
    EXPECT_FALSE(StopJobWithin(std::chrono::milliseconds(50)));
    ASSERT_NE(Job().worker, nullptr);
    EXPECT_TRUE(Job().worker->IsRunning());
    EXPECT_TRUE(StopRequested());  // its event is left open and set
    EndJob();                      // as the library's unloading does: nothing is closed under it
    EXPECT_NE(Job().worker, nullptr);
    EXPECT_TRUE(StopRequested());

    Release();  // it meets the stop request at its next check point and ends by itself
    EXPECT_TRUE(StopJobWithin(std::chrono::seconds(20)));
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_FALSE(StopRequested());
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (3)"}));
    EXPECT_EQ(Subjects(), (Lines{"one"}));
}

// The host may finalise the library with the dialog gone but its job not ended.
TEST_F(IndexingJobTest, FinalisationEndsARunningJobBeforeItFreesTheAccounts) {
    StartHeldJob();
    EXPECT_TRUE(PauseJob(true));
    Release();
    plugin::Finalize();
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_EQ(State().accounts, nullptr);
    EXPECT_EQ(plugin::GetStatus(), 1);
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (3)"}));
}

TEST_F(IndexingJobTest, AWorkerThatDoesNotStopInTimeKeepsTheAccountsAndTheFactory) {
    StartHeldJob();
    AccountList* accounts = State().accounts.get();
    platform::EventFactory* factory = State().eventFactory.get();
    plugin::Finalize();  // waits its limit, then lets go of them without freeing them
    EXPECT_EQ(State().accounts, nullptr);
    EXPECT_EQ(State().eventFactory, nullptr);
    EXPECT_EQ(plugin::GetStatus(), 1);
    ASSERT_NE(Job().worker, nullptr);
    EXPECT_TRUE(Job().worker->IsRunning());

    Release();
    Job().worker->Wait();
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (3)"}));
    EXPECT_EQ(Subjects(), (Lines{"one"}));
    // They were not freed: taken back, they are freed once.
    State().accounts.reset(accounts);
    State().eventFactory.reset(factory);
}

TEST_F(IndexingJobTest, AStopFromAnotherThreadEndsARunningJob) {
    StartHeldJob();
    std::thread stopper([] { StopJob(); });
    while (!StopRequested()) std::this_thread::yield();
    Release();
    stopper.join();
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_EQ(Log(), (Lines{"Main\\Inbox (3)"}));
    EXPECT_EQ(Updates().back(), "ended");
}

}  // namespace
}  // namespace ombrel
