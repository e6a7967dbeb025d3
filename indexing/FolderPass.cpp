#include "indexing/FolderPass.h"

#include "indexing/IndexingJob.h"
#include "indexing/StopCheck.h"
#include "indexing/StoredMessage.h"
#include "mailstore/FolderPath.h"
#include "mailstore/FolderState.h"
#include "mime/ParsedMessage.h"

namespace ombrel {
namespace {

struct MessageCounts {
    std::int32_t skipped = 0;
    std::int32_t bad = 0;
    std::int32_t indexed = 0;
};

// What indexing one folder works with: the job's base reader open on it, the call's workspace
// and counts, and the newest message time seen in the folder.
struct FolderWork {
    CTheBatNBBFile& base;
    MessageWorkspace& workspace;
    MessageCounts& counts;
    const WideString& path;
    SystemTime newest;
};

MessageOutcome IndexMessage(FolderWork& work, std::uint32_t number) {
    const MessageOutcome outcome =
        IndexStoredMessage(work.base, number, work.workspace, work.path, work.newest);
    switch (outcome) {
        case MessageOutcome::kSkipped:
            ++work.counts.skipped;
            break;
        case MessageOutcome::kBad:
            ++work.counts.bad;
            break;
        case MessageOutcome::kIndexed:
            ++work.counts.indexed;
            break;
    }
    return outcome;
}

// Indexes every message of an enabled folder, then moves its "Monitor" time forward to the
// newest message seen. A folder whose base does not open is passed over without a word. A base
// that another program rewrites under the pass is left where it changed: its other messages count
// as bad, and its time stays, so that the next pass reads the folder again.
void IndexFolder(MailFolder& folder, FolderWork work) {
    // Without a directory there is no base to open (and no state file to write).
    if (folder.directory.IsEmpty() || !work.base.OpenBase(folder.directory)) return;
    const std::uint32_t count = work.base.Index().Count();
    const auto shownCount = static_cast<std::int32_t>(count);
    platform::JobView& view = JobDialog();
    AppendLogLine(WideString::Formatted(u"%s (%d)", work.path, shownCount));
    view.SetProgressRange(shownCount);
    view.SetProgressStep(1);
    view.SetProgressPosition(0);
    bool changed = false;
    std::uint32_t number = 0;
    for (; number < count && !changed; ++number) {
        view.StepProgress();
        changed = IndexMessage(work, number) == MessageOutcome::kBad && work.base.Changed();
    }
    work.counts.bad += static_cast<std::int32_t>(count - number);
    view.SetProgressPosition(shownCount);
    work.base.Close();
    if (!changed) MoveMonitorTimeForward(work.newest, folder);
}

// IndexChildFolders, with one workspace for every folder of the pass.
void IndexDescendants(MailFolder& folder, const WideString& parentPath,
                      MessageWorkspace& workspace) {
    MessageCounts counts;
    CheckForStop();
    IndexingJob& job = Job();
    for (const std::unique_ptr<MailFolder>& child : folder.children) {
        const WideString path = ChildPath(parentPath, *child);
        if (child->enabled) IndexFolder(*child, {job.baseReader, workspace, counts, path, {}});
        IndexDescendants(*child, path, workspace);
    }
    // Counts reach the totals only for calls that complete: a stopped pass adds nothing.
    job.totals.skipped += counts.skipped;
    job.totals.bad += counts.bad;
    job.totals.indexed += counts.indexed;
}

}  // namespace

void IndexChildFolders(MailFolder& folder, const WideString& parentPath) {
    MessageWorkspace workspace;
    IndexDescendants(folder, parentPath, workspace);
}

}  // namespace ombrel
