#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/SampleStore.h"

// What the library's passes make of a sample store: the folder pass's log, and for a store whose
// enabled folders carry a last indexed time from an earlier indexing, the newer mail that the
// exit-time pass sends.
namespace ombrel::testing {

// The calendar time that the library gives a message stored at `seconds` (natively the core's
// conversion, on Windows the system's own).
using MessageClock = std::function<SystemTime(std::int32_t seconds)>;

// A message as the exit pass should submit it: its folder path and its time.
struct FolderMessage {
    std::u16string path;
    SystemTime time;
    friend bool operator==(const FolderMessage&, const FolderMessage&) = default;
};

// Gives every enabled folder with more than `at` messages the time of its message `at` as its
// last indexed time.
void MonitorEnabledFolders(SampleStore& store, std::size_t at, const MessageClock& timeOf);

// What the exit pass over the store submits, in its order: in every enabled folder with a last
// indexed time, the messages not marked as not to be indexed whose time is strictly later.
std::vector<FolderMessage> ExitPassMessages(const SampleStore& store, const MessageClock& timeOf);

// The folder pass's log over the store when every folder is enabled: a line per folder with
// messages, "path (count)", then the summary lines (nothing is bad in the sample).
std::vector<std::u16string> FolderPassLog(const SampleStore& store);

}  // namespace ombrel::testing
