#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/SampleStore.h"

// A sample store as the exit-time pass finds it after an earlier indexing: its enabled folders
// carry a last indexed time, and some of their mail is newer.
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

}  // namespace ombrel::testing
