// A job over a generated store of thousands of messages while other threads feed incoming mail
// through the hook, paused, unpaused and stopped at random moments.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "host/PluginApi.h"
#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "mailstore/FolderState.h"
#include "tests/support/EventFields.h"
#include "tests/support/HostEnvironment.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TestMailbox.h"

namespace ombrel {
namespace {

using Kind = platform::posix::JobViewUpdate::Kind;

constexpr int kRuns = 8;
constexpr int kHookThreads = 2;

// One incoming message as the host's data callback offers it.
class IncomingMessage final : public MessageDataSource {
  public:
    explicit IncomingMessage(std::string text) : text_(std::move(text)) {}
    std::int32_t Fetch(std::int32_t /*dataKind*/, void* buffer, std::int32_t size) override {
        const auto length = static_cast<std::int32_t>(text_.size());
        if (buffer == nullptr) return length;
        const std::int32_t count = std::min(length, size);
        std::memcpy(buffer, text_.data(), static_cast<std::size_t>(count));
        return count;
    }

  private:
    std::string text_;
};

// What one event is: the same message filed twice gives the same key.
std::u16string KeyOf(const standin::ReceivedEvent& event) {
    return standin::TextField(event, u"folder_name").value_or(u"") + u"|" +
           standin::TextField(event, u"subject").value_or(u"") + u"|" +
           standin::DecimalText(static_cast<std::uint64_t>(
               standin::DateField(event, u"received").value_or(0) * 86400.0));
}

bool FromTheHook(const standin::ReceivedEvent& event) {
    return standin::TextField(event, u"subject").value_or(u"").starts_with(u"incoming ");
}

struct StoreTotals {
    int messages = 0;
    int marked = 0;
};

void Count(const std::vector<testing::SampleFolder>& folders, StoreTotals& totals) {
    for (const testing::SampleFolder& folder : folders) {
        for (const testing::StoredMessage& message : folder.messages) {
            ++totals.messages;
            totals.marked += (message.status & 0x1) != 0 ? 1 : 0;
        }
        Count(folder.children, totals);
    }
}

// The keys of every state file of the store's directories.
std::map<std::string, std::set<std::string>> StateFileKeys(const testing::TempDirectory& disk) {
    std::map<std::string, std::set<std::string>> keys;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(disk.Local(u""))) {
        if (entry.path().filename() != "kvrdirinfo.cookie") continue;
        std::ifstream file(entry.path());
        std::set<std::string>& found = keys[entry.path().string()];
        for (std::string line; std::getline(file, line);) {
            if (const std::size_t equals = line.find('='); equals != std::string::npos) {
                found.insert(line.substr(0, equals));
            }
        }
    }
    return keys;
}

class JobStressTest : public testing::PluginTest {
  protected:
    JobStressTest() {
        testing::WriteSampleStore(store, disk.Local(u""), disk.Directory().Std());
        testing::PutRegistryEntries(posix, testing::SampleRegistry(store, disk.Directory().Std()));
        const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 1, 0, 0, 0, 0, 0, 12, 0};
        plugin::SetConfigData(options, sizeof options);
        plugin::Initialize();
        testing::EnableEveryFolder(*State().accounts);
        for (const testing::SampleAccount& account : store.accounts) Count(account.folders, totals);
    }
    ~JobStressTest() override {
        StopJob();
        plugin::Finalize();
    }

    // Feeds mail to the main account through the hook until told to stop.
    void FeedMail(int thread) {
        for (int serial = 0; !feedingDone; ++serial) {
            IncomingMessage message(
                "From: anna@example.org\r\nTo: Main <main@example.org>\r\n"
                "Subject: incoming " +
                std::to_string(thread) + "-" + std::to_string(serial) + "\r\n\r\nHello\r\n");
            plugin::GetSpamScore(message);
            ++fed;
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    }

    // One job, paused, unpaused and maybe stopped at random moments; ends when the worker has.
    // True when it was stopped.
    bool RunJob(std::mt19937& random) {
        EXPECT_TRUE(StartJob(dialog));
        int pauses = 0;
        std::uniform_int_distribution<int> action(0, 9);
        std::uniform_int_distribution<int> wait(0, 15);
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(wait(random)));
            const int chosen = action(random);
            if (chosen == 0) {
                StopJob();
                return true;
            }
            if (chosen <= 3) {
                pauses += PauseJob(true) ? 1 : 0;
            } else if (chosen <= 6 && pauses > 0) {
                PauseJob(false);
                --pauses;
            } else if (chosen == 9 && pauses == 0) {
                break;
            }
        }
        for (; pauses > 0; --pauses) PauseJob(false);
        Job().worker->Wait();
        return false;
    }

    testing::TempDirectory disk;
    const testing::SampleStore store = testing::MakeSampleStore(110);
    StoreTotals totals;
    platform::WindowHandle dialog = reinterpret_cast<platform::WindowHandle>(0x5678);
    std::atomic<bool> feedingDone = false;
    std::atomic<int> fed = 0;
};

TEST_F(JobStressTest, EveryRunEndsWithItsCountsAndNoMessageTwice) {
    ASSERT_EQ(plugin::GetStatus(), 0);
    ASSERT_GT(totals.messages, 2000);
    const auto keysBefore = StateFileKeys(disk);
    std::vector<std::thread> feeders;
    feeders.reserve(kHookThreads);
    for (int thread = 0; thread < kHookThreads; ++thread) {
        feeders.emplace_back([this, thread] { FeedMail(thread); });
    }
    std::mt19937 random(20260101);
    int completed = 0;
    for (int run = 0; run < kRuns; ++run) {
        posix.jobViews.Clear();
        const std::size_t eventsBefore = journal.Events().size();
        const bool stopped = RunJob(random);
        SCOPED_TRACE("run " + std::to_string(run) + (stopped ? " stopped" : " completed"));

        EXPECT_EQ(Job().state, JobState::kIdle);
        const auto updates = posix.jobViews.Updates();
        ASSERT_FALSE(updates.empty());
        EXPECT_EQ(updates.back().kind, Kind::JobEnded);
        const auto steps = std::count_if(updates.begin(), updates.end(),
                                         [](const auto& u) { return u.kind == Kind::StepIt; });
        const auto events = journal.Events();
        std::set<std::u16string> keys;
        int jobEvents = 0;
        for (std::size_t i = eventsBefore; i < events.size(); ++i) {
            if (FromTheHook(events[i])) continue;
            ++jobEvents;
            EXPECT_TRUE(keys.insert(KeyOf(events[i])).second) << "an event was sent twice";
        }
        const int counted = Job().totals.skipped + Job().totals.bad + Job().totals.indexed;
        EXPECT_LE(counted, steps);
        EXPECT_LE(Job().totals.indexed, jobEvents);
        if (posix.jobViews.LogLines().back().View() == u"Indexing done successfully!") {
            ++completed;
            EXPECT_EQ(steps, totals.messages);
            EXPECT_EQ(counted, totals.messages);
            EXPECT_EQ(Job().totals.skipped, totals.marked);
            EXPECT_EQ(Job().totals.indexed, jobEvents);
        }
    }
    feedingDone = true;
    for (std::thread& feeder : feeders) feeder.join();

    std::set<std::u16string> incoming;
    for (const standin::ReceivedEvent& event : journal.Events()) {
        if (FromTheHook(event)) {
            EXPECT_TRUE(incoming.insert(KeyOf(event)).second) << "incoming mail was sent twice";
        }
    }
    EXPECT_LE(static_cast<int>(incoming.size()), fed.load());
    for (const auto& [file, keys] : StateFileKeys(disk)) {
        if (!keysBefore.contains(file)) continue;
        for (const std::string& key : keysBefore.at(file)) {
            EXPECT_TRUE(keys.contains(key)) << file << " lost " << key;
        }
    }
    std::printf("%d runs, %d completed, %d messages fed, %zu indexed as they came\n", kRuns,
                completed, fed.load(), incoming.size());
}

}  // namespace
}  // namespace ombrel
