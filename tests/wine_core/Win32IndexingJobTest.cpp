// The indexing job on the real Windows threads (CreateThread, SuspendThread, ResumeThread) with a
// real window receiving its log lines and progress messages, and the stand-in indexer as COM
// classes.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "indexing/MessageTime.h"
#include "mailstore/Accounts.h"
#include "mailstore/FolderState.h"
#include "platform/Indexer.h"
#include "platform/IndexerIds.h"
#include "platform/Ports.h"
#include "tests/support/IndexerJournal.h"
#include "tests/support/SamplePasses.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/TestMailbox.h"
#include "tests/support/win32/ComStandInIndexer.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/JobDialogWindow.h"
#include "tests/support/win32/SampleHost.h"

namespace ombrel {
namespace {

using Lines = std::vector<std::wstring>;
using testing::k2006;
using testing::kDay;
using testing::SimpleMessage;
using testing::StoredMessage;

// A Win32 event that closes itself.
struct Signal {
    HANDLE handle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Signal() { CloseHandle(handle); }
};

class WineIndexingJob : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.Created());
        ASSERT_TRUE(indexer.Register());
        State().accounts = std::make_unique<AccountList>();
        mailbox.MoveInto(*State().accounts);
        ASSERT_TRUE(
            Succeeded(platform::CurrentPorts().indexer->CreateEventFactory(State().eventFactory)));
    }
    void TearDown() override {
        StopJob();
        window.TakeJobEndedNotices();
        State().accounts.reset();
        State().eventFactory.reset();
    }

    void RunJobToEnd() {
        ASSERT_TRUE(StartJob(window.Dialog()));
        Job().worker->Wait();
    }
    MailFolder& AddInbox(int messages) {
        std::vector<StoredMessage> stored;
        stored.reserve(static_cast<std::size_t>(messages));
        for (int i = 0; i < messages; ++i) stored.push_back(SimpleMessage("m", k2006 + i * kDay));
        return mailbox.Add(mailbox.Root(), u"Inbox", stored, true);
    }
    // Starts a job over an Inbox of `messages` whose worker holds inside its first submission
    // until Release.
    void StartHeldJob(int messages = 3) {
        AddInbox(messages);
        journal.OnEnter("Submit", [this] {
            if (++submissions_ != 1) return;
            SetEvent(reached_.handle);
            WaitForSingleObject(released_.handle, INFINITE);
        });
        ASSERT_TRUE(StartJob(window.Dialog()));
        ASSERT_TRUE(standin::WaitHandlingSentMessages(reached_.handle));
    }
    void Release() const { SetEvent(released_.handle); }
    std::size_t Events() const { return journal.Events().size(); }

    standin::JobDialogWindow window;
    standin::IndexerJournal journal;
    standin::ComStandInIndexer indexer{journal};
    testing::TestMailbox mailbox;

  private:
    std::atomic<int> submissions_ = 0;
    Signal reached_;
    Signal released_;
};

TEST_F(WineIndexingJob, TheLogAndTheProgressBarShowTheFolderAndTheSummary) {
    MailFolder& inbox = mailbox.Add(mailbox.Root(), u"Inbox",
                                    std::vector<StoredMessage>{
                                        SimpleMessage("one", k2006),
                                        SimpleMessage("two", k2006 + 2 * kDay, 0x1),
                                        SimpleMessage("three", k2006 + kDay),
                                    },
                                    true);
    RunJobToEnd();
    EXPECT_EQ(window.LogLines(),
              (Lines{L"Main\\Inbox (3)", L"----------------------------", L"Indexed 2",
                     L"Skipped 1", L"Indexing done successfully!"}));
    EXPECT_EQ(window.RangeMaximum(), 3);
    EXPECT_EQ(window.Position(), 3);
    EXPECT_EQ(window.TakeJobEndedNotices(), 1);
    EXPECT_EQ(Events(), 2U);
    SystemTime stored;
    ASSERT_TRUE(ReadMonitorTime(inbox, &stored));
    EXPECT_EQ(stored, MessageTime(k2006 + kDay));
}

TEST_F(WineIndexingJob, TheServiceNotRunningOnTheFirstSubmissionShowsItsLineAndNoSummary) {
    AddInbox(3);
    journal.Script("Submit", indexer::kServiceNotRunning, 1);
    RunJobToEnd();
    EXPECT_EQ(window.LogLines(),
              (Lines{L"Main\\Inbox (3)", L"*** Ombrel Desktop Service is not running! ***"}));
    EXPECT_EQ(window.TakeJobEndedNotices(), 1);
}

TEST_F(WineIndexingJob, AStopWhileSuspendedEndsTheJobWithoutSummary) {
    StartHeldJob();
    EXPECT_TRUE(PauseJob(true));
    Release();  // the worker is suspended: it does not go on
    EXPECT_TRUE(StopJob());
    EXPECT_EQ(Job().state, JobState::kIdle);
    EXPECT_EQ(Job().worker, nullptr);
    EXPECT_EQ(window.LogLines(), (Lines{L"Main\\Inbox (3)"}));
    EXPECT_EQ(window.TakeJobEndedNotices(), 1);
    EXPECT_EQ(Events(), 1U);
}

TEST_F(WineIndexingJob, TwoSuspensionsNeedTwoUnpauses) {
    StartHeldJob();
    EXPECT_TRUE(PauseJob(true));
    EXPECT_TRUE(PauseJob(true));
    Release();
    EXPECT_TRUE(PauseJob(false));
    EXPECT_EQ(Job().state, JobState::kPaused);
    Sleep(100);
    EXPECT_EQ(Events(), 1U);
    EXPECT_TRUE(PauseJob(false));
    EXPECT_EQ(Job().state, JobState::kRunning);
    Job().worker->Wait();
    EXPECT_EQ(window.LogLines().back(), L"Indexing done successfully!");
    EXPECT_EQ(Events(), 3U);
}

// The worker goes on sending progress to the window while the dialog's thread stops it: the
// stop's wait handles those messages, so it ends.
TEST_F(WineIndexingJob, AStopWhileTheWorkerUpdatesTheWindowDoesNotDeadlock) {
    MailFolder& inbox = AddInbox(400);
    WriteMonitorTime(MessageTime(k2006), inbox);
    Signal busy;
    std::atomic<int> submitted = 0;
    journal.OnEnter("Submit", [&] {
        if (++submitted == 50) SetEvent(busy.handle);
    });
    ASSERT_TRUE(StartJob(window.Dialog()));
    ASSERT_TRUE(standin::WaitHandlingSentMessages(busy.handle));
    EXPECT_TRUE(StopJob());
    EXPECT_EQ(window.LogLines(), (Lines{L"Main\\Inbox (400)"}));
    EXPECT_LT(window.Position(), 400);
    EXPECT_EQ(window.TakeJobEndedNotices(), 1);
    SystemTime stored;
    ASSERT_TRUE(ReadMonitorTime(inbox, &stored));
    EXPECT_EQ(stored, MessageTime(k2006));  // a stopped folder keeps its time
}

TEST_F(WineIndexingJob, AJobOverTheWholeSampleStoreFillsTheLogAndTheProgressBar) {
    const testing::SampleStore store = testing::MakeSampleStore(8);
    const testing::TempDirectory disk;
    const std::u16string directory = disk.Directory().Std();
    const std::wstring root(directory.begin(), directory.end());
    ASSERT_TRUE(standin::InstallSampleStore(store, root));
    State().dataDirectory = disk.Directory();
    const bool loaded = LoadAccounts();
    standin::DeleteTree(HKEY_CURRENT_USER, L"Software\\RIT");
    ASSERT_TRUE(loaded);
    testing::EnableEveryFolder(*State().accounts);
    RunJobToEnd();
    Lines expected;
    for (const std::u16string& line : testing::FolderPassLog(store)) {
        expected.emplace_back(line.begin(), line.end());
    }
    EXPECT_EQ(window.LogLines(), expected);
    EXPECT_EQ(window.Position(), window.RangeMaximum());  // the last folder's end
    EXPECT_EQ(window.TakeJobEndedNotices(), 1);
    EXPECT_EQ(static_cast<std::size_t>(Job().totals.indexed), Events());
    State().dataDirectory = WideString();
}

}  // namespace
}  // namespace ombrel
