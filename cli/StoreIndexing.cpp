#include "cli/StoreIndexing.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cli/BadMessages.h"
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

// Why the folder's base did not open; none for a folder without messages.
std::optional<FolderTrouble> OpeningTrouble(const CTheBatNBBFile& base,
                                            const std::u16string& directory) {
    const std::u16string index = directory + u"MESSAGES.TBI";
    const std::u16string messages = directory + u"MESSAGES.TBB";
    switch (base.LastOpening()) {
        case CTheBatNBBFile::Opening::kOpened:
            return std::nullopt;
        case CTheBatNBBFile::Opening::kIndexNotOpened:
            switch (base.Index().LastOpening()) {
                case CTheBatNBIFile::Opening::kNoEntries:
                case CTheBatNBIFile::Opening::kOpened:
                    return std::nullopt;
                case CTheBatNBIFile::Opening::kFileNotOpened:
                    return FolderTrouble{index, ""};
                case CTheBatNBIFile::Opening::kDamaged:
                    return FolderTrouble{index, "not a message index, or a damaged one"};
            }
            break;
        case CTheBatNBBFile::Opening::kBaseFileNotOpened:
            return FolderTrouble{messages, ""};
        case CTheBatNBBFile::Opening::kBaseDamaged:
            return FolderTrouble{messages, "not a message base, or a damaged one"};
    }
    return std::nullopt;
}

// One folder of the run: its base open, and where the index stands with it.
class FolderIndexing {
  public:
    FolderIndexing(CTheBatNBBFile& base, const PlannedFolder& planned, MailIndex& index,
                   BadMessages& bad, DatabaseIndexer& indexer, const IndexObserver& observer)
        : base_(base),
          planned_(planned),
          index_(index),
          bad_(bad),
          indexer_(indexer),
          observer_(observer),
          progress_(CurrentProgress()) {
        indexer_.ReadWholeMessages(base_, workspace_.message);
    }

    // The messages that did not read before, then the new ones; false when the base changed
    // under the run, which leaves the rest for the next one.
    bool Run() { return RetryBadMessages() && TakeNewMessages(); }

    const PassCounts& Counts() const { return counts_; }

  private:
    // The folder's progress, started afresh when its base no longer begins with what was indexed.
    FolderProgress CurrentProgress() {
        FolderProgress progress = index_.Folder(planned_.key, WideToUtf8(planned_.path.View()));
        const CTheBatNBIFile& entries = base_.Index();
        const bool appended =
            progress.done == 0 || (progress.done <= entries.Count() &&
                                   SameEntry(entries.Entry(progress.done - 1), progress));
        if (!appended) {
            Transaction transaction(index_.Database());
            index_.ClearFolder(progress.id);
            bad_.Clear(progress.id);
            transaction.Commit();
            progress = {progress.id, 0, -1, -1};
        }
        return progress;
    }

    MessageOutcome Take(std::uint32_t position) {
        indexer_.SetOrigin({progress_.id, position, {}});
        const MessageOutcome outcome =
            IndexStoredMessage(base_, position, workspace_, planned_.path, newest_);
        Count(outcome, counts_);
        observer_.messageTaken();
        return outcome;
    }

    // A message that does not read because the base changed under the run.
    bool ChangedAt(MessageOutcome outcome) const {
        return outcome == MessageOutcome::kBad && base_.Changed();
    }

    bool RetryBadMessages() {
        Transaction transaction(index_.Database());
        bool unchanged = true;
        for (const std::uint32_t position : bad_.Of(progress_.id)) {
            const MessageOutcome outcome = Take(position);
            unchanged = !ChangedAt(outcome);
            if (!unchanged) break;
            if (outcome != MessageOutcome::kBad) bad_.Remove(progress_.id, position);
        }
        transaction.Commit();
        return unchanged;
    }

    bool TakeNewMessages() {
        const std::uint32_t count = base_.Index().Count();
        bool unchanged = true;
        while (unchanged && progress_.done < count) {
            Transaction transaction(index_.Database());
            const std::uint32_t end = std::min(count, progress_.done + kMessagesPerCommit);
            for (; progress_.done < end; ++progress_.done) {
                const MessageOutcome outcome = Take(progress_.done);
                unchanged = !ChangedAt(outcome);
                if (!unchanged) break;
                if (outcome == MessageOutcome::kBad) bad_.Add(progress_.id, progress_.done);
            }
            if (progress_.done > 0) {
                const IndexEntry last = base_.Index().Entry(progress_.done - 1);
                progress_.lastOffset = last.recordOffset;
                progress_.lastSize = last.messageSize;
            }
            index_.SaveProgress(progress_);
            transaction.Commit();
        }
        return unchanged;
    }

    CTheBatNBBFile& base_;
    const PlannedFolder& planned_;
    MailIndex& index_;
    BadMessages& bad_;
    DatabaseIndexer& indexer_;
    const IndexObserver& observer_;
    FolderProgress progress_;
    PassCounts counts_;
    MessageWorkspace workspace_;
    SystemTime newest_;
};

PassCounts IndexFolder(CTheBatNBBFile& base, const PlannedFolder& planned, MailIndex& index,
                       BadMessages& bad, DatabaseIndexer& indexer, const IndexObserver& observer) {
    const std::u16string directory(planned.folder->directory.View());
    const std::string path = WideToUtf8(planned.path.View());
    if (!base.OpenBase(planned.folder->directory)) {
        if (const auto trouble = OpeningTrouble(base, directory)) {
            observer.folderNotRead(path, *trouble);
        }
        return {};
    }
    FolderIndexing folder(base, planned, index, bad, indexer, observer);
    if (!folder.Run()) {
        observer.folderNotRead(
            path, {directory + u"MESSAGES.TBB",
                   "changed while it was read (rewritten by another program); the next run "
                   "reads the folder again"});
    }
    base.Close();
    return folder.Counts();
}

// The messages of the planned folders that the index does not hold yet, as far as their bases
// tell without reading them, and those that did not read before.
std::int64_t MessagesToDo(const std::vector<PlannedFolder>& planned, MailIndex& index,
                          BadMessages& bad) {
    std::int64_t messages = 0;
    CTheBatNBBFile base;
    for (const PlannedFolder& folder : planned) {
        if (!base.OpenBase(folder.folder->directory)) continue;
        const FolderProgress progress = index.Folder(folder.key, WideToUtf8(folder.path.View()));
        const std::uint32_t count = base.Index().Count();
        messages += count >= progress.done ? count - progress.done : count;
        messages += static_cast<std::int64_t>(bad.Of(progress.id).size());
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
    BadMessages bad(index.Database());
    observer.planned(static_cast<int>(planned.size()), MessagesToDo(planned, index, bad));

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
        const PassCounts counts = IndexFolder(base, folder, index, bad, indexer, observer);
        total.indexed += counts.indexed;
        total.skipped += counts.skipped;
        total.bad += counts.bad;
        observer.folderDone(WideToUtf8(folder.path.View()), counts);
    }
    return total;
}

}  // namespace ombrel::cli
