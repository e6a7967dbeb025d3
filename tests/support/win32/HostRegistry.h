#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The registry and files of a machine with the host installed, set up from a Windows test program
// through the real registry functions.
namespace ombrel::standin {

inline constexpr const wchar_t* kHostKey = L"Software\\RIT\\The Bat!";
inline constexpr const wchar_t* kComponentKey =
    L"Software\\Ombrel\\Ombrel Desktop\\Components\\{E6895E72-8741-44B3-900E-01ED98D1A6D3}";

// A string value below the root, its key created as needed.
void PutString(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value);
// A 32-bit number value below the root, its key created as needed.
void PutDword(HKEY root, const wchar_t* key, const wchar_t* name, DWORD value);
// The text of a string value, or nothing when the key or value is missing.
std::optional<std::wstring> GetString(HKEY root, const wchar_t* key, const wchar_t* name);
void DeleteValue(HKEY root, const wchar_t* key, const wchar_t* name);
bool HasKey(HKEY root, const wchar_t* key);
// Deletes the key with everything below it; a missing key is fine.
void DeleteTree(HKEY root, const wchar_t* key);

// Loads a ".reg" file with "regedit /s" and waits for it; true when regedit succeeded.
bool ImportRegFile(const std::wstring& file);

// The Bat! 2.0.4.8 with the working directory, and the library registered with the indexer (so
// that starting it registers nothing).
void InstallHostEnvironment(const std::wstring& workingDirectory);

// The user's application-data folder, and a fresh directory below the temporary one (with a
// trailing backslash).
std::wstring AppDataFolder();
std::wstring FreshTemporaryDirectory(const std::wstring& name);

// The full path of a loaded module.
std::wstring ModulePath(HMODULE module);

}  // namespace ombrel::standin
