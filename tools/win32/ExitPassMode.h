#pragma once

#include "tests/support/IndexerJournal.h"
#include "tests/support/win32/PluginLibrary.h"

namespace ombrel::standin {

// Installs the sample mail store as the host's, its monitored folders indexed up to their fourth
// message, starts the library with "Monitor selected folders on exit" in its stored record and
// shuts it down, printing each event that the exit pass sent. Returns 0 when exactly the newer
// messages were sent and nothing of the indexer outlived the library.
int RunExitPassOverSample(PluginLibrary& library, const IndexerJournal& journal);

}  // namespace ombrel::standin
