#include "tools/win32/ExitPassMode.h"

#include <windows.h>

#include <cstdio>

#include "tests/support/EventLines.h"
#include "tests/support/SamplePasses.h"
#include "tests/support/win32/SampleHost.h"
#include "tools/win32/SampleRuns.h"

namespace ombrel::standin {

int RunExitPassOverSample(PluginLibrary& library, const IndexerJournal& journal) {
    testing::SampleStore store = testing::MakeSampleStore(6);
    testing::MonitorEnabledFolders(store, 3, &WindowsMessageTime);
    if (!StartOverSample(library, store, L"ombrel-exit-pass")) return 2;
    const std::size_t before = journal.Events().size();
    library.Finalize();
    const std::vector<ReceivedEvent> events = journal.Events();
    PrintEvents(events, before, "exit");
    const std::size_t expected = testing::ExitPassMessages(store, &WindowsMessageTime).size();
    std::printf(
        "{\"exitPass\":{\"events\":%zu,\"newerMessages\":%zu,"
        "\"liveObjectsAfterFinalize\":%d}}\n",
        events.size() - before, expected, journal.LiveObjects());
    return events.size() - before == expected && journal.LiveObjects() == 0 ? 0 : 1;
}

}  // namespace ombrel::standin
