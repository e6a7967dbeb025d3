#include "tools/win32/SampleRuns.h"

#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>

#include "tests/support/EventFields.h"
#include "tests/support/JsonText.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/SampleHost.h"

namespace ombrel::standin {
namespace {

std::string Iso(double variantDays) {
    SYSTEMTIME t = {};
    VariantTimeToSystemTime(variantDays, &t);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

}  // namespace

bool StartOverSample(PluginLibrary& library, const testing::SampleStore& store,
                     const std::wstring& name) {
    if (!InstallSampleStore(store, FreshTemporaryDirectory(name))) {
        std::fprintf(stderr, "the sample store's registry entries do not load\n");
        return false;
    }
    const std::uint8_t options[12] = {0x0D, 0xF0, 0xAD, 0xBA, 0, 1, 0, 0, 0, 0, 12, 0};
    library.SetConfigData(options, sizeof options);
    library.Initialize();
    std::printf("{\"library\":{\"status\":%d}}\n", library.GetStatus());
    return true;
}

void PrintEvents(const std::vector<ReceivedEvent>& events, std::size_t first, const char* pass) {
    for (std::size_t i = first; i < events.size(); ++i) {
        const ReceivedEvent& event = events[i];
        std::printf(
            "{\"event\":{\"pass\":\"%s\",\"folder_name\":%s,\"subject\":%s,\"received\":\"%s\","
            "\"mail_flags\":%u}}\n",
            pass, testing::Json(TextField(event, u"folder_name").value_or(u"")).c_str(),
            testing::Json(TextField(event, u"subject").value_or(u"")).c_str(),
            Iso(DateField(event, u"received").value_or(0)).c_str(),
            NumberField(event, u"mail_flags").value_or(0));
    }
}

}  // namespace ombrel::standin
