// Jobs on the real Windows threads, suspended and resumed at random moments with SuspendThread and
// ResumeThread and stopped at random, over a generated store of thousands of messages, while
// other threads of the host offer incoming mail to the hook and a window takes the job's updates.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "tests/support/JobStress.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/TestMailbox.h"
#include "tests/support/win32/ComStandInIndexer.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/JobDialogWindow.h"
#include "tests/support/win32/SampleHost.h"

namespace ombrel {
namespace {

using Lines = std::vector<std::wstring>;

class WineJobStress : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.Created());
        ASSERT_TRUE(indexer.Register());
        const std::u16string directory = disk.Directory().Std();
        ASSERT_TRUE(standin::InstallSampleStore(store, {directory.begin(), directory.end()}));
        standin::PutString(HKEY_CURRENT_USER, standin::kComponentKey, nullptr, L"");
        const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 1, 0, 0, 0, 0, 0, 12, 0};
        plugin::SetConfigData(options, sizeof options);
        plugin::Initialize();
        ASSERT_EQ(plugin::GetStatus(), 0);
        testing::EnableEveryFolder(*State().accounts);
    }
    void TearDown() override {
        StopJob();
        plugin::Finalize();
        standin::DeleteTree(HKEY_CURRENT_USER, L"Software\\RIT");
        standin::DeleteTree(HKEY_CURRENT_USER, standin::kComponentKey);
    }

    standin::JobDialogWindow window;
    standin::IndexerJournal journal;
    standin::ComStandInIndexer indexer{journal};
    testing::TempDirectory disk;
    const testing::SampleStore store = testing::MakeSampleStore(100);
    const testing::StoreTotals totals = testing::CountMessages(store);
};

// The host's threads have COM initialised.
void InHostThread(const std::function<void()>& work) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    work();
    CoUninitialize();
}

// The dialog's thread lets time pass while it handles what the worker sends to its window.
void HandleMessagesFor(int milliseconds) {
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    standin::WaitHandlingSentMessages(never, static_cast<DWORD>(milliseconds));
    CloseHandle(never);
}

TEST_F(WineJobStress, EveryRunEndsWithItsCountsAndNoMessageTwice) {
    ASSERT_GT(totals.messages, 2000);
    const auto keysBefore = testing::StateFileKeys(disk.Local(u""));
    testing::MailFeeders feeders(2, "main@example.org", &InHostThread);
    std::mt19937 random(20260102);
    int completed = 0;
    for (int run = 0; run < 6; ++run) {
        SendMessageW(window.Log(), LVM_DELETEALLITEMS, 0, 0);
        const std::size_t first = journal.Events().size();
        const bool stopped = testing::RunJobAtRandom(window.Dialog(), random, &HandleMessagesFor);
        SCOPED_TRACE("run " + std::to_string(run) + (stopped ? ", stopped" : ""));
        EXPECT_EQ(Job().state, JobState::kIdle);
        EXPECT_EQ(window.TakeJobEndedNotices(), 1);
        const Lines log = window.LogLines();
        const bool done = !log.empty() && log.back() == L"Indexing done successfully!";
        completed += done ? 1 : 0;
        testing::ExpectRunAddsUp(journal.Events(), first, done, std::nullopt, totals);
    }
    feeders.Stop();
    testing::ExpectIncomingMailOnce(journal.Events(), feeders.Fed());
    testing::ExpectNoKeyLost(keysBefore, testing::StateFileKeys(disk.Local(u"")));
    std::printf("6 runs, %d completed, %d messages fed\n", completed, feeders.Fed());
}

}  // namespace
}  // namespace ombrel
