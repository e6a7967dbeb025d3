#pragma once

#include "tests/support/IndexerJournal.h"
#include "tests/support/win32/PluginLibrary.h"

namespace ombrel::standin {

// Installs the sample mail store as the host's and starts the library with "Monitor selected
// folders on exit". Then, as a user would, opens the settings dialog through TBP_Setup, presses
// Select All and Re-Index Selected, waits for "Done", returns to the settings and closes the
// dialog with OK; prints the log that the dialog showed and the events that the job sent. Last it
// shuts the library down, whose exit pass finds nothing newer to send. Returns 0 when the log
// counted every event, the exit pass sent nothing and nothing of the indexer outlived the library.
int RunReIndexOverSample(PluginLibrary& library, const IndexerJournal& journal);

}  // namespace ombrel::standin
