#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "host/IncomingMail.h"
#include "platform/Handles.h"
#include "tests/support/IndexerJournal.h"
#include "tests/support/SampleStore.h"

// Pieces of the stress tests of the indexing job: mail arriving through the hook on other
// threads while jobs are paused, unpaused and stopped at random moments.
namespace ombrel::testing {

// A message arriving for the hook, as the host's data callback offers it.
class IncomingMessage final : public MessageDataSource {
  public:
    explicit IncomingMessage(std::string text) : text_(std::move(text)) {}
    std::int32_t Fetch(std::int32_t dataKind, void* buffer, std::int32_t size) override;

  private:
    std::string text_;
};

// Threads that offer mail for the account with the address to the hook until stopped. Every
// message has a subject of its own that begins with "incoming ". Each thread runs its work
// through `enter`, which may set the thread up as a host's thread is (COM on Windows).
class MailFeeders {
  public:
    using ThreadEntry = std::function<void(const std::function<void()>& work)>;
    MailFeeders(
        int threads, const std::string& address,
        const ThreadEntry& enter = [](const std::function<void()>& work) { work(); });
    ~MailFeeders();
    MailFeeders(const MailFeeders&) = delete;
    MailFeeders& operator=(const MailFeeders&) = delete;

    void Stop();
    int Fed() const { return fed_; }

  private:
    std::atomic<bool> done_ = false;
    std::atomic<int> fed_ = 0;
    std::vector<std::thread> threads_;
};

bool FromTheHook(const standin::ReceivedEvent& event);
// Folder, subject and received time: the same message sent twice gives the same key.
std::u16string EventKey(const standin::ReceivedEvent& event);

// Starts a job and pauses, unpauses and perhaps stops it at random moments, `wait` letting the
// time between them pass; then lets it end. Returns whether it was stopped.
bool RunJobAtRandom(platform::WindowHandle dialog, std::mt19937& random,
                    const std::function<void(int milliseconds)>& wait);

// How many messages the store holds, and how many of them are marked as not to be indexed.
struct StoreTotals {
    int messages = 0;
    int marked = 0;
};
StoreTotals CountMessages(const SampleStore& store);

// The keys of each state file below the directory.
std::map<std::filesystem::path, std::set<std::string>> StateFileKeys(
    const std::filesystem::path& root);

// Checks a job's run: its events (those from `first` on, less the hook's) hold no message twice;
// the job's totals count no more messages than it began (`begun`, when known) and no more
// indexed than it sent; a completed run counted every message of the store, each once.
void ExpectRunAddsUp(const std::vector<standin::ReceivedEvent>& events, std::size_t first,
                     bool completed, std::optional<int> begun, const StoreTotals& store);
// Checks the hook's events: none twice, no more than were fed.
void ExpectIncomingMailOnce(const std::vector<standin::ReceivedEvent>& events, int fed);
// Checks that every key of the state files before is still in them after.
void ExpectNoKeyLost(const std::map<std::filesystem::path, std::set<std::string>>& before,
                     const std::map<std::filesystem::path, std::set<std::string>>& after);

}  // namespace ombrel::testing
