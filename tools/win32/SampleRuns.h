#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/IndexerJournal.h"
#include "tests/support/SampleStore.h"
#include "tests/support/win32/PluginLibrary.h"

// What the stand-in host's runs over a sample mail store share.
namespace ombrel::standin {

// Installs the store as the host's in a fresh temporary directory named after `name`, and starts
// the library with "Monitor selected folders on exit" in its stored record; prints its status.
// False, with the reason on the error stream, when the store does not install.
bool StartOverSample(PluginLibrary& library, const testing::SampleStore& store,
                     const std::wstring& name);

// Prints the events from `first` on, one JSON object a line, with the pass that sent them and the
// fields that tell a message apart: folder, subject, time received (UTC) and mail flags.
void PrintEvents(const std::vector<ReceivedEvent>& events, std::size_t first, const char* pass);

}  // namespace ombrel::standin
