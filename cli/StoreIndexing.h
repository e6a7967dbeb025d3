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

// Why a folder was not read, or not read whole: the file at fault, as the core names it, and what
// is wrong with it; empty when the file did not open, which only the system can tell more about.
struct FolderTrouble {
    std::u16string file;
    std::string what;
};

// Who follows an index run: the work planned, each message taken, each folder finished, and each
// folder that was not read (before its folderDone).
struct IndexObserver {
    std::function<void(int folders, std::int64_t messages)> planned = [](int, std::int64_t) {};
    std::function<void()> messageTaken = [] {};
    std::function<void(const std::string& path, const PassCounts& counts)> folderDone =
        [](const std::string&, const PassCounts&) {};
    std::function<void(const std::string& path, const FolderTrouble& trouble)> folderNotRead =
        [](const std::string&, const FolderTrouble&) {};
};

// Indexes the folders of the accounts (every folder, or the enabled ones) into the mail index
// through the indexer, as the library's folder pass sends them: of each folder's message base,
// only the messages that the index does not hold yet; all of them again when the base was
// rewritten since; and the messages that did not read in an earlier run, which are kept in the
// index. A base that changes while it is read is left where it changed, for the next run.
// Progress is committed with the messages, so that a run killed at any moment
// leaves the index whole and the next run goes on from there. Folders below `dataDirectory` are
// known to the index by their place in it, so that a copy of the store elsewhere goes on where the
// index stands. Throws DatabaseError.
PassCounts IndexStore(const AccountList& accounts, const std::u16string& dataDirectory,
                      bool enabledOnly, MailIndex& index, DatabaseIndexer& indexer,
                      const IndexObserver& observer);

}  // namespace ombrel::cli
