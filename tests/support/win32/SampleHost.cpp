#include "tests/support/win32/SampleHost.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "tests/support/win32/HostRegistry.h"

namespace ombrel::standin {
namespace {

SystemTime FromWindows(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
            time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

}  // namespace

SystemTime WindowsMessageTime(std::int32_t seconds) {
    const std::uint64_t units = (static_cast<std::int64_t>(seconds) + 11644473600LL) * 10000000ULL;
    const FILETIME fileTime = {static_cast<DWORD>(units & 0xFFFFFFFF),
                               static_cast<DWORD>(units >> 32)};
    SYSTEMTIME split = {};
    FileTimeToSystemTime(&fileTime, &split);
    TIME_ZONE_INFORMATION zone = {};
    GetTimeZoneInformation(&zone);
    SYSTEMTIME once = {};
    SYSTEMTIME twice = {};
    TzSpecificLocalTimeToSystemTime(&zone, &split, &once);
    TzSpecificLocalTimeToSystemTime(&zone, &once, &twice);
    return FromWindows(twice);
}

bool InstallSampleStore(const testing::SampleStore& store, const std::wstring& root) {
    const std::filesystem::path local(root);
    const std::u16string hostRoot(root.begin(), root.end());
    testing::WriteSampleStore(store, local, hostRoot);
    const std::filesystem::path registryFile = local / L"registry.reg";
    std::ofstream(registryFile, std::ios::binary | std::ios::trunc)
        << testing::RegFileBytes(testing::SampleRegistry(store, hostRoot));
    return ImportRegFile(registryFile.wstring());
}

}  // namespace ombrel::standin
