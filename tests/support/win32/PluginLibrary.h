#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace ombrel::standin {

// A message box the library asked for, seen through its import of MessageBoxW.
struct ObservedMessageBox {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT style;
};

// A CoCreateInstance call the library made, seen through its import.
struct ObservedCreation {
    std::u16string classId;
    bool hasOuter;
    DWORD context;
    std::u16string interfaceId;
    HRESULT result;
};

// A file mapping the library made, seen through its imports of CreateFileMappingW and
// MapViewOfFile, and whether its view was unmapped through UnmapViewOfFile.
struct ObservedMapping {
    HANDLE file;
    DWORD protection;
    std::uint64_t maximumSize;
    bool named;
    DWORD viewAccess = 0;
    std::uint64_t viewOffset = 0;
    SIZE_T viewBytes = 0;
    void* view = nullptr;
    bool unmapped = false;
};

// The plug-in library loaded with LoadLibrary, with its exports as stdcall function pointers.
// Its imports of MessageBoxW and CoCreateInstance are hooked: message boxes are recorded and
// answered from a script instead of shown, creations are recorded and passed on. So are its
// file mappings, which are passed on.
class PluginLibrary {
  public:
    using NoArgs = void(__stdcall*)();
    using IntNoArgs = std::int32_t(__stdcall*)();
    using TextExport = std::int32_t(__stdcall*)(char* buffer, std::int32_t size);
    using InfoExport = std::int32_t(__stdcall*)(std::int32_t, std::int32_t);
    using GetConfigExport = std::uint32_t(__stdcall*)(std::uint8_t* buffer, std::uint32_t size);
    using SetConfigExport = std::int32_t(__stdcall*)(const std::uint8_t* data, std::int32_t size);
    using DataCallback = std::int32_t(__stdcall*)(void* message, std::int32_t kind, void* buffer,
                                                  std::int32_t size);
    using SpamScoreExport = std::int32_t(__stdcall*)(void* message, DataCallback callback);
    using HResultNoArgs = HRESULT(__stdcall*)();
    using ClassObjectExport = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);

    // Loads the library from the given path, by default from the directory of the running program.
    explicit PluginLibrary(const std::wstring& path = BesideProgram());
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    HMODULE Module() const { return module_; }
    bool Loaded() const { return module_ != nullptr; }
    FARPROC Export(const char* name) const { return GetProcAddress(module_, name); }

    NoArgs Initialize = nullptr;
    NoArgs Finalize = nullptr;
    IntNoArgs NeedCOM = nullptr;
    IntNoArgs NeedConfig = nullptr;
    TextExport GetName = nullptr;
    TextExport GetVersion = nullptr;
    InfoExport GetInfo = nullptr;
    IntNoArgs GetStatus = nullptr;
    GetConfigExport GetConfigData = nullptr;
    SetConfigExport SetConfigData = nullptr;
    IntNoArgs Setup = nullptr;
    SpamScoreExport GetSpamScore = nullptr;
    HResultNoArgs CanUnloadNow = nullptr;
    ClassObjectExport GetClassObject = nullptr;
    HResultNoArgs RegisterServer = nullptr;
    HResultNoArgs UnregisterServer = nullptr;

    // The library's path in the directory of the running program.
    static std::wstring BesideProgram();

    // What the hooks saw, in order; taking clears it.
    static std::vector<ObservedMessageBox> TakeMessageBoxes();
    static std::vector<ObservedCreation> TakeCreations();
    static std::vector<ObservedMapping> TakeMappings();
    // The answer of the next message box (IDOK, or IDYES for a Yes/No box, when none is queued).
    static void QueueMessageBoxAnswer(int answer);

  private:
    HMODULE module_ = nullptr;
};

}  // namespace ombrel::standin
