#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "cli/DatabaseIndexer.h"
#include "cli/MailIndex.h"
#include "mailstore/MailAccount.h"

namespace ombrel::cli {

// What the pass made of the messages of one folder, or of all.
struct PassCounts {
    std::int64_t indexed = 0;
    std::int64_t skipped = 0;
    std::int64_t bad = 0;
};

// Who follows an index run: the work planned, each message taken, each folder finished.
struct IndexObserver {
    std::function<void(int folders, std::int64_t messages)> planned = [](int, std::int64_t) {};
    std::function<void()> messageTaken = [] {};
    std::function<void(const std::string& path, const PassCounts& counts)> folderDone =
        [](const std::string&, const PassCounts&) {};
};

// Indexes the folders of the accounts (every folder, or the enabled ones) into the mail index
// through the indexer, as the library's folder pass sends them: of each folder's message base,
// only the messages that the index does not hold yet; all of them again when the base was
// rewritten since. Progress is committed with the messages, so that a run killed at any moment
// leaves the index whole and the next run goes on from there. Folders below `dataDirectory` are
// known to the index by their place in it, so that a copy of the store elsewhere goes on where the
// index stands. Throws DatabaseError.
PassCounts IndexStore(const AccountList& accounts, const std::u16string& dataDirectory,
                      bool enabledOnly, MailIndex& index, DatabaseIndexer& indexer,
                      const IndexObserver& observer);

}  // namespace ombrel::cli
