#include "host/ExitPass.h"

#include "indexer/EmailEvent.h"
#include "indexing/MessageTime.h"
#include "mailstore/FolderPath.h"
#include "mailstore/FolderState.h"
#include "mailstore/MessageBaseFile.h"

namespace ombrel {
namespace {

// Submits the folder's messages that are newer than its stored time; the time of the last one
// submitted, in index order, becomes the folder's time. A folder that has no stored time, or
// whose base does not open, is passed over; one whose base another program rewrites while it is
// read keeps its time, so that the next pass reads it again.
void IndexNewMessages(MailFolder& folder, const WideString& path) {
    SystemTime stored;
    if (!ReadMonitorTime(folder, &stored) || stored.IsNone()) return;
    CTheBatNBBFile base;  // the pass's own reader: a job may hold the job's one
    if (!base.OpenBase(folder.directory)) return;
    SystemTime newest;
    MessageWorkspace workspace;
    const std::uint32_t count = base.Index().Count();
    for (std::uint32_t number = 0; number < count; ++number) {
        if ((base.Index().Entry(number).status & CTheBatNBIFile::kStatusNotIndexed) != 0) continue;
        const char* text = nullptr;
        std::uint32_t size = 0;
        std::int32_t seconds = 0;
        if (!base.ReadMessage(number, &text, &size, &seconds)) {
            if (base.Changed()) return;
            continue;
        }
        const SystemTime time = MessageTime(seconds);
        if (CompareTimes(stored, time) <= 0) continue;  // not later than the stored time
        newest = time;
        // At exit the index's flag bit is not reported: the message's statusFlag stays clear.
        workspace.message.parse(text, size);
        // A refused message still counts as indexed for the folder's time.
        static_cast<void>(SubmitEmailEvent(workspace.message, time, path, workspace.event));
        workspace.message.reset();
    }
    base.Close();
    MoveMonitorTimeForward(newest, folder);
}

}  // namespace

void RunExitPass(MailFolder& parent, const WideString& pathPrefix) {
    for (const std::unique_ptr<MailFolder>& child : parent.children) {
        MailFolder& folder = *child;
        const WideString path = ChildPath(pathPrefix, folder);
        if (!folder.directory.IsEmpty() && ReadEnabled(folder)) IndexNewMessages(folder, path);
        RunExitPass(folder, path);
    }
}

}  // namespace ombrel
