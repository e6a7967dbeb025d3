#pragma once

#include <cstdint>
#include <string>

#include "common/SystemTime.h"
#include "tests/support/SampleStore.h"

// The sample store on a Windows machine, as the host would have it.
namespace ombrel::standin {

// The calendar time that the library gives a message stored at `seconds`, worked out here with
// the system's own functions: FileTimeToSystemTime, then the current zone's
// TzSpecificLocalTimeToSystemTime twice.
SystemTime WindowsMessageTime(std::int32_t seconds);

// Writes the store below `root` (a directory path with its trailing backslash, as the host sees
// it) and loads its registry entries with regedit, which makes `root` the host's working
// directory. False when regedit failed.
bool InstallSampleStore(const testing::SampleStore& store, const std::wstring& root);

}  // namespace ombrel::standin
