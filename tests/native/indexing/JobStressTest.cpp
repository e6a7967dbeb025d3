// Jobs over a generated store of thousands of messages while other threads feed incoming mail
// through the hook, paused, unpaused and stopped at random moments.
#include "tests/support/JobStress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TestMailbox.h"

namespace ombrel {
namespace {

using Kind = platform::posix::JobViewUpdate::Kind;

class JobStressTest : public testing::PluginTest {
  protected:
    JobStressTest() {
        testing::WriteSampleStore(store, disk.Local(u""), disk.Directory().Std());
        testing::PutRegistryEntries(posix, testing::SampleRegistry(store, disk.Directory().Std()));
        const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 1, 0, 0, 0, 0, 0, 12, 0};
        plugin::SetConfigData(options, sizeof options);
        plugin::Initialize();
        testing::EnableEveryFolder(*State().accounts);
    }
    ~JobStressTest() override {
        StopJob();
        plugin::Finalize();
    }

    testing::TempDirectory disk;
    const testing::SampleStore store = testing::MakeSampleStore(110);
    const testing::StoreTotals totals = testing::CountMessages(store);
};

TEST_F(JobStressTest, EveryRunEndsWithItsCountsAndNoMessageTwice) {
    ASSERT_EQ(plugin::GetStatus(), 0);
    ASSERT_GT(totals.messages, 2000);
    const auto keysBefore = testing::StateFileKeys(disk.Local(u""));
    testing::MailFeeders feeders(2, "main@example.org");
    std::mt19937 random(20260101);
    const auto sleep = [](int milliseconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    };
    int completed = 0;
    for (int run = 0; run < 8; ++run) {
        posix.jobViews.Clear();
        const std::size_t first = journal.Events().size();
        const bool stopped = testing::RunJobAtRandom(nullptr, random, sleep);
        SCOPED_TRACE("run " + std::to_string(run) + (stopped ? ", stopped" : ""));
        EXPECT_EQ(Job().state, JobState::kIdle);
        const auto updates = posix.jobViews.Updates();
        ASSERT_FALSE(updates.empty());
        EXPECT_EQ(updates.back().kind, Kind::JobEnded);
        const auto begun = std::count_if(updates.begin(), updates.end(),
                                         [](const auto& u) { return u.kind == Kind::StepIt; });
        const std::vector<WideString> log = posix.jobViews.LogLines();  // empty after an early stop
        const bool done = !log.empty() && log.back().View() == u"Indexing done successfully!";
        completed += done ? 1 : 0;
        testing::ExpectRunAddsUp(journal.Events(), first, done, static_cast<int>(begun), totals);
    }
    feeders.Stop();
    testing::ExpectIncomingMailOnce(journal.Events(), feeders.Fed());
    testing::ExpectNoKeyLost(keysBefore, testing::StateFileKeys(disk.Local(u"")));
    std::printf("8 runs, %d completed, %d messages fed\n", completed, feeders.Fed());
}

}  // namespace
}  // namespace ombrel
