#include "tests/support/win32/HostRegistry.h"

#include <shlobj.h>

#include <filesystem>

namespace ombrel::standin {

void PutString(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1) * DWORD{sizeof(wchar_t)});
    RegCloseKey(opened);
}

void PutDword(HKEY root, const wchar_t* key, const wchar_t* name, DWORD value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(opened, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(opened);
}

std::optional<std::wstring> GetString(HKEY root, const wchar_t* key, const wchar_t* name) {
    wchar_t text[2048] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(root, key, name, RRF_RT_ANY, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

void DeleteValue(HKEY root, const wchar_t* key, const wchar_t* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueW(opened, name);
    RegCloseKey(opened);
}

bool HasKey(HKEY root, const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

void DeleteTree(HKEY root, const wchar_t* key) {
    RegDeleteTreeW(root, key);
    RegDeleteKeyW(root, key);
}

bool ImportRegFile(const std::wstring& file) {
    std::wstring command = L"regedit.exe /s \"" + file + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process) == FALSE) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status == 0;
}

void InstallHostEnvironment(const std::wstring& workingDirectory) {
    DeleteTree(HKEY_CURRENT_USER, kHostKey);
    PutString(HKEY_CURRENT_USER, kHostKey, L"Version", L"2.0.4.8");
    PutString(HKEY_CURRENT_USER, kHostKey, L"Working Directory", workingDirectory);
    PutString(HKEY_CURRENT_USER, kComponentKey, nullptr, L"");
}

std::wstring AppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring FreshTemporaryDirectory(const std::wstring& name) {
    const std::filesystem::path directory = std::filesystem::temp_directory_path() / name;
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
    std::filesystem::create_directories(directory);
    return directory.wstring() + L"\\";
}

std::wstring ModulePath(HMODULE module) {
    wchar_t path[1024] = {};
    const DWORD length = GetModuleFileNameW(module, path, 1024);
    return {path, length};
}

}  // namespace ombrel::standin
