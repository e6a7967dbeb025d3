#include "tools/win32/SampleRuns.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/SampleHost.h"

namespace ombrel::standin {

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

}  // namespace ombrel::standin
