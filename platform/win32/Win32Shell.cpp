#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {

bool Win32Shell::AppDataFolder(WideString& folder) const {
    wchar_t path[MAX_PATH] = {};
    constexpr int kAppData = 0x1A;     // CSIDL_APPDATA
    constexpr DWORD kCurrentPath = 0;  // SHGFP_TYPE_CURRENT
    if (FAILED(SHGetFolderPathW(nullptr, kAppData, nullptr, kCurrentPath, path))) return false;
    folder = ombrel::win32::Utf16(path);
    return true;
}

void Win32Shell::Open(const WideString& file, std::int32_t show) const {
    ShellExecuteW(nullptr, nullptr, ombrel::win32::Wide(file.CStr()), nullptr, nullptr, show);
}

}  // namespace ombrel::platform::win32
