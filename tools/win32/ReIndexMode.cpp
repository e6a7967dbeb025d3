#include "tools/win32/ReIndexMode.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/EventLines.h"
#include "tests/support/JsonText.h"
#include "tests/support/SampleStore.h"
#include "tests/support/win32/SetupRun.h"
#include "tools/win32/SampleRuns.h"
#include "ui/DialogControls.h"

namespace ombrel::standin {
namespace {

using namespace ombrel::controls;

// The count of the log's "Indexed N" line; 0 without one.
std::size_t IndexedCount(const std::vector<std::wstring>& log) {
    const std::wstring prefix = L"Indexed ";
    for (const std::wstring& line : log) {
        if (line.starts_with(prefix)) return std::stoul(line.substr(prefix.size()));
    }
    return 0;
}

// Re-indexes every folder through the dialog, prints its log and closes it with OK; the log, or
// nothing when the dialog did not appear or the job did not end.
std::optional<std::vector<std::wstring>> ReIndexEveryFolder(PluginLibrary& library) {
    SetupRun run(library);
    if (run.Dialog() == nullptr) return std::nullopt;
    run.Command(kSelectAll);
    run.Command(kReIndex);
    if (!run.WaitForText(kCancel, L"Done")) return std::nullopt;
    std::vector<std::wstring> log = run.LogLines();
    for (const std::wstring& line : log) {
        std::printf("{\"log\":%s}\n",
                    testing::Json(std::u16string(line.begin(), line.end())).c_str());
    }
    run.Command(kCancel);
    if (!run.WaitForText(kCancel, L"Cancel")) return std::nullopt;
    run.Command(kOk);
    std::printf("{\"setup\":%d}\n", run.Result().value_or(-1));
    return log;
}

}  // namespace

int RunReIndexOverSample(PluginLibrary& library, const IndexerJournal& journal) {
    if (!StartOverSample(library, testing::MakeSampleStore(4), L"ombrel-reindex")) return 2;
    const std::size_t before = journal.Events().size();
    const auto log = ReIndexEveryFolder(library);
    if (!log) {
        std::fprintf(stderr, "the dialog did not appear, or its re-index did not end\n");
        return 1;
    }
    const std::vector<ReceivedEvent> indexed = journal.Events();
    PrintEvents(indexed, before, "folder");
    library.Finalize();
    const std::size_t folderPass = indexed.size() - before;
    const std::size_t exitPass = journal.Events().size() - indexed.size();
    std::printf(
        "{\"reIndex\":{\"events\":%zu,\"indexedInLog\":%zu,\"exitPassEvents\":%zu,"
        "\"liveObjectsAfterFinalize\":%d}}\n",
        folderPass, IndexedCount(*log), exitPass, journal.LiveObjects());
    return folderPass == IndexedCount(*log) && exitPass == 0 && journal.LiveObjects() == 0 ? 0 : 1;
}

}  // namespace ombrel::standin
