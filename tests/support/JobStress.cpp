#include "tests/support/JobStress.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "host/PluginApi.h"
#include "indexing/IndexingJob.h"
#include "tests/support/EventFields.h"

namespace ombrel::testing {
namespace {

void Count(const std::vector<SampleFolder>& folders, StoreTotals& totals) {
    for (const SampleFolder& folder : folders) {
        for (const StoredMessage& message : folder.messages) {
            ++totals.messages;
            totals.marked += (message.status & 0x1) != 0 ? 1 : 0;
        }
        Count(folder.children, totals);
    }
}

}  // namespace

std::int32_t IncomingMessage::Fetch(std::int32_t /*dataKind*/, void* buffer, std::int32_t size) {
    const auto length = static_cast<std::int32_t>(text_.size());
    if (buffer == nullptr) return length;
    const std::int32_t count = std::clamp(size, 0, length);
    std::memcpy(buffer, text_.data(), static_cast<std::size_t>(count));
    return count;
}

MailFeeders::MailFeeders(int threads, const std::string& address, const ThreadEntry& enter) {
    for (int thread = 0; thread < threads; ++thread) {
        threads_.emplace_back([this, thread, address, enter] {
            enter([this, thread, &address] {
                for (int serial = 0; !done_; ++serial) {
                    IncomingMessage message("From: anna@example.org\r\nTo: <" + address +
                                            ">\r\nSubject: incoming " + std::to_string(thread) +
                                            "-" + std::to_string(serial) + "\r\n\r\nHello\r\n");
                    plugin::GetSpamScore(message);
                    ++fed_;
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            });
        });
    }
}

MailFeeders::~MailFeeders() {
    Stop();
}

void MailFeeders::Stop() {
    done_ = true;
    for (std::thread& thread : threads_) {
        if (thread.joinable()) thread.join();
    }
}

bool FromTheHook(const standin::ReceivedEvent& event) {
    return standin::TextField(event, u"subject").value_or(u"").starts_with(u"incoming ");
}

std::u16string EventKey(const standin::ReceivedEvent& event) {
    const auto seconds = static_cast<std::uint64_t>(
        std::llround(standin::DateField(event, u"received").value_or(0) * 86400.0));
    return standin::TextField(event, u"folder_name").value_or(u"") + u"|" +
           standin::TextField(event, u"subject").value_or(u"") + u"|" +
           standin::DecimalText(seconds);
}

bool RunJobAtRandom(platform::WindowHandle dialog, std::mt19937& random,
                    const std::function<void(int milliseconds)>& wait) {
    if (!StartJob(dialog)) return false;
    int pauses = 0;
    std::uniform_int_distribution<int> action(0, 9);
    std::uniform_int_distribution<int> interval(0, 15);
    for (;;) {
        wait(interval(random));
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

StoreTotals CountMessages(const SampleStore& store) {
    StoreTotals totals;
    for (const SampleAccount& account : store.accounts) Count(account.folders, totals);
    return totals;
}

std::map<std::filesystem::path, std::set<std::string>> StateFileKeys(
    const std::filesystem::path& root) {
    std::map<std::filesystem::path, std::set<std::string>> keys;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.path().filename() != "kvrdirinfo.cookie") continue;
        std::ifstream file(entry.path());
        std::set<std::string>& found = keys[entry.path()];
        for (std::string line; std::getline(file, line);) {
            if (const std::size_t equals = line.find('='); equals != std::string::npos) {
                found.insert(line.substr(0, equals));
            }
        }
    }
    return keys;
}

void ExpectRunAddsUp(const std::vector<standin::ReceivedEvent>& events, std::size_t first,
                     bool completed, std::optional<int> begun, const StoreTotals& store) {
    std::set<std::u16string> keys;
    int sent = 0;
    for (std::size_t i = first; i < events.size(); ++i) {
        // Mail arriving meanwhile may have an event still being made, not yet sent nor named.
        if (FromTheHook(events[i]) || !events[i].submitFlags) continue;
        ++sent;
        EXPECT_TRUE(keys.insert(EventKey(events[i])).second) << "an event was sent twice";
    }
    const JobTotals& totals = Job().totals;
    const int counted = totals.skipped + totals.bad + totals.indexed;
    if (begun) {
        EXPECT_LE(counted, *begun);
    }
    EXPECT_LE(totals.indexed, sent);
    if (completed) {
        if (begun) {
            EXPECT_EQ(*begun, store.messages);
        }
        EXPECT_EQ(counted, store.messages);
        EXPECT_EQ(totals.skipped, store.marked);
        EXPECT_EQ(totals.bad, 0);
        EXPECT_EQ(totals.indexed, sent);
    }
}

void ExpectIncomingMailOnce(const std::vector<standin::ReceivedEvent>& events, int fed) {
    std::set<std::u16string> keys;
    for (const standin::ReceivedEvent& event : events) {
        if (FromTheHook(event)) {
            EXPECT_TRUE(keys.insert(EventKey(event)).second) << "incoming mail was sent twice";
        }
    }
    EXPECT_LE(static_cast<int>(keys.size()), fed);
}

void ExpectNoKeyLost(const std::map<std::filesystem::path, std::set<std::string>>& before,
                     const std::map<std::filesystem::path, std::set<std::string>>& after) {
    for (const auto& [file, keys] : before) {
        const auto found = after.find(file);
        ASSERT_NE(found, after.end()) << file;
        for (const std::string& key : keys) {
            EXPECT_TRUE(found->second.contains(key)) << file << " lost " << key;
        }
    }
}

}  // namespace ombrel::testing
