#include "tools/win32/ExitPassMode.h"

#include <windows.h>

#include <oleauto.h>

#include <cstdio>

#include "tests/support/EventFields.h"
#include "tests/support/JsonText.h"
#include "tests/support/SamplePasses.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/SampleHost.h"

namespace ombrel::standin {
namespace {

std::string Iso(double variantDays) {
    SYSTEMTIME t = {};
    VariantTimeToSystemTime(variantDays, &t);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

void PrintEvent(const ReceivedEvent& event) {
    std::printf(
        "{\"event\":{\"pass\":\"exit\",\"folder_name\":%s,\"subject\":%s,\"received\":\"%s\","
        "\"mail_flags\":%u}}\n",
        testing::Json(TextField(event, u"folder_name").value_or(u"")).c_str(),
        testing::Json(TextField(event, u"subject").value_or(u"")).c_str(),
        Iso(DateField(event, u"received").value_or(0)).c_str(),
        NumberField(event, u"mail_flags").value_or(0));
}

}  // namespace

int RunExitPassOverSample(PluginLibrary& library, const IndexerJournal& journal) {
    testing::SampleStore store = testing::MakeSampleStore(6);
    testing::MonitorEnabledFolders(store, 3, &WindowsMessageTime);
    if (!InstallSampleStore(store, FreshTemporaryDirectory(L"ombrel-exit-pass"))) {
        std::fprintf(stderr, "the sample store's registry entries do not load\n");
        return 2;
    }
    const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 0, 1, 0, 0, 0, 0, 12, 0};
    library.SetConfigData(options, sizeof options);
    library.Initialize();
    std::printf("{\"library\":{\"status\":%d}}\n", library.GetStatus());
    const std::size_t before = journal.Events().size();
    library.Finalize();
    const std::vector<ReceivedEvent> events = journal.Events();
    for (std::size_t i = before; i < events.size(); ++i) PrintEvent(events[i]);
    const std::size_t expected = testing::ExitPassMessages(store, &WindowsMessageTime).size();
    std::printf(
        "{\"exitPass\":{\"events\":%zu,\"newerMessages\":%zu,"
        "\"liveObjectsAfterFinalize\":%d}}\n",
        events.size() - before, expected, journal.LiveObjects());
    return events.size() - before == expected && journal.LiveObjects() == 0 ? 0 : 1;
}

}  // namespace ombrel::standin
