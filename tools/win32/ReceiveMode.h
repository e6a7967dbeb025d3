#pragma once

#include <string>

#include "tests/support/IndexerJournal.h"
#include "tests/support/win32/PluginLibrary.h"

namespace ombrel::standin {

// Offers every message file ("*.eml") of the directory, in name order, to TBP_GetSpamScore as
// mail arriving, with indexing on receipt on, and prints for each file the hook's result and then
// each event that reached the indexer, with its properties' names, VARIANT types and values. A
// host without accounts first gets one, "Anna" with the address anna@example.net and an Inbox, so
// that mail to her is filed there. Returns 0 when every message gave one event and nothing of the
// indexer outlived the library.
int ReceiveMessageFiles(PluginLibrary& library, const IndexerJournal& journal,
                        const std::wstring& directory);

}  // namespace ombrel::standin
