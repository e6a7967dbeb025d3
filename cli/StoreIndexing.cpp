#include "cli/StoreIndexing.h"

#include <algorithm>
#include <vector>

#include "host/PluginState.h"
#include "indexing/StoredMessage.h"
#include "mailstore/FolderPath.h"
#include "mailstore/MessageBaseFile.h"
#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

using platform::posix::WideToUtf8;

// Messages committed together: few enough that a killed run loses little work.
constexpr std::uint32_t kMessagesPerCommit = 1000;

struct PlannedFolder {
    const MailFolder* folder;
    WideString path;
    std::string key;  // the folder's directory, below the data directory when it lies there
};

struct Plan {
    std::u16string_view dataDirectory;
    bool enabledOnly;
    std::vector<PlannedFolder> folders;

    void Add(const MailFolder& parent, const WideString& parentPath) {
        for (const std::unique_ptr<MailFolder>& child : parent.children) {
            const WideString path = ChildPath(parentPath, *child);
            if (!child->directory.IsEmpty() && (child->enabled || !enabledOnly)) {
                std::u16string_view key = child->directory.View();
                if (key.starts_with(dataDirectory)) key.remove_prefix(dataDirectory.size());
                folders.push_back({child.get(), path, WideToUtf8(key)});
            }
            Add(*child, path);
        }
    }
};

bool SameEntry(const IndexEntry& entry, const FolderProgress& progress) {
    return entry.recordOffset == progress.lastOffset && entry.messageSize == progress.lastSize;
}

// The folder's progress, started afresh when its base no longer begins with what was indexed.
FolderProgress CurrentProgress(MailIndex& index, const CTheBatNBBFile& base,
                               const PlannedFolder& planned) {
    FolderProgress progress = index.Folder(planned.key, WideToUtf8(planned.path.View()));
    const bool appended =
        progress.done == 0 || (progress.done <= base.Index().Count() &&
                               SameEntry(base.Index().Entry(progress.done - 1), progress));
    if (!appended) {
        Transaction transaction(index.Database());
        index.ClearFolder(progress.id);
        transaction.Commit();
        progress = {progress.id, 0, -1, -1};
    }
    return progress;
}

void Count(MessageOutcome outcome, PassCounts& counts) {
    switch (outcome) {
        case MessageOutcome::kSkipped:
            ++counts.skipped;
            break;
        case MessageOutcome::kBad:
            ++counts.bad;
            break;
        case MessageOutcome::kIndexed:
            ++counts.indexed;
            break;
    }
}

PassCounts IndexFolder(CTheBatNBBFile& base, const PlannedFolder& planned, MailIndex& index,
                       DatabaseIndexer& indexer, const IndexObserver& observer) {
    PassCounts counts;
    if (!base.OpenBase(planned.folder->directory)) return counts;
    FolderProgress progress = CurrentProgress(index, base, planned);
    MessageWorkspace workspace;
    indexer.ReadWholeMessages(base, workspace.message);
    SystemTime newest;
    const std::uint32_t count = base.Index().Count();
    while (progress.done < count) {
        Transaction transaction(index.Database());
        const std::uint32_t end = std::min(count, progress.done + kMessagesPerCommit);
        for (; progress.done < end; ++progress.done) {
            indexer.SetOrigin({progress.id, progress.done, {}});
            Count(IndexStoredMessage(base, progress.done, workspace, planned.path, newest), counts);
            observer.messageTaken();
        }
        const IndexEntry last = base.Index().Entry(progress.done - 1);
        progress.lastOffset = last.recordOffset;
        progress.lastSize = last.messageSize;
        index.SaveProgress(progress);
        transaction.Commit();
    }
    base.Close();
    return counts;
}

// The messages of the planned folders that the index does not hold yet, as far as their bases
// tell without reading them.
std::int64_t MessagesToDo(const std::vector<PlannedFolder>& planned, MailIndex& index) {
    std::int64_t messages = 0;
    CTheBatNBBFile base;
    for (const PlannedFolder& folder : planned) {
        if (!base.OpenBase(folder.folder->directory)) continue;
        const FolderProgress progress = index.Folder(folder.key, WideToUtf8(folder.path.View()));
        const std::uint32_t count = base.Index().Count();
        messages += count >= progress.done ? count - progress.done : count;
        base.Close();
    }
    return messages;
}

}  // namespace

PassCounts IndexStore(const AccountList& accounts, const std::u16string& dataDirectory,
                      bool enabledOnly, MailIndex& index, DatabaseIndexer& indexer,
                      const IndexObserver& observer) {
    Plan plan{dataDirectory, enabledOnly, {}};
    for (const std::unique_ptr<MailAccount>& account : accounts) {
        plan.Add(account->rootFolder, account->name);
    }
    const std::vector<PlannedFolder>& planned = plan.folders;
    observer.planned(static_cast<int>(planned.size()), MessagesToDo(planned, index));

    // The library's event building sends through the plug-in state's factory.
    struct FactoryInUse {
        explicit FactoryInUse(DatabaseIndexer& indexer) {
            indexer.CreateEventFactory(State().eventFactory);
        }
        ~FactoryInUse() { State().eventFactory.reset(); }
        FactoryInUse(const FactoryInUse&) = delete;
        FactoryInUse& operator=(const FactoryInUse&) = delete;
    } factory(indexer);
    PassCounts total;
    CTheBatNBBFile base;
    for (const PlannedFolder& folder : planned) {
        const PassCounts counts = IndexFolder(base, folder, index, indexer, observer);
        total.indexed += counts.indexed;
        total.skipped += counts.skipped;
        total.bad += counts.bad;
        observer.folderDone(WideToUtf8(folder.path.View()), counts);
    }
    return total;
}

}  // namespace ombrel::cli
