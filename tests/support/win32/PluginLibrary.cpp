#include "tests/support/win32/PluginLibrary.h"

#include <string>
#include <utility>

#include "tests/support/win32/ComStandInIndexer.h"
#include "tests/support/win32/ImportHook.h"

namespace ombrel::standin {
namespace {

struct Observations {
    std::mutex mutex;
    std::vector<ObservedMessageBox> boxes;
    std::vector<ObservedCreation> creations;
    std::vector<ObservedMapping> mappings;
    std::vector<HANDLE> mappingHandles;  // of each mapping, while it is open
    std::deque<int> answers;
};

Observations& Observed() {
    static Observations observations;
    return observations;
}

using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
CoCreateInstanceFunction realCoCreateInstance = nullptr;

std::u16string Text(const wchar_t* text) {
    return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text))
                           : std::u16string();
}

int WINAPI ObserveMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    observed.boxes.push_back({owner, Text(text), Text(caption), style});
    if (!observed.answers.empty()) {
        const int answer = observed.answers.front();
        observed.answers.pop_front();
        return answer;
    }
    return (style & 0xF) == MB_YESNO ? IDYES : IDOK;
}

HRESULT WINAPI ObserveCoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context,
                                       REFIID interfaceId, LPVOID* object) {
    const HRESULT result = realCoCreateInstance(classId, outer, context, interfaceId, object);
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    observed.creations.push_back(
        {GuidText(classId), outer != nullptr, context, GuidText(interfaceId), result});
    return result;
}

using CreateFileMappingFunction = HANDLE(WINAPI*)(HANDLE, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                                  DWORD, LPCWSTR);
using MapViewOfFileFunction = LPVOID(WINAPI*)(HANDLE, DWORD, DWORD, DWORD, SIZE_T);
using UnmapViewOfFileFunction = BOOL(WINAPI*)(LPCVOID);
CreateFileMappingFunction realCreateFileMapping = nullptr;
MapViewOfFileFunction realMapViewOfFile = nullptr;
UnmapViewOfFileFunction realUnmapViewOfFile = nullptr;

HANDLE WINAPI ObserveCreateFileMapping(HANDLE file, LPSECURITY_ATTRIBUTES security,
                                       DWORD protection, DWORD sizeHigh, DWORD sizeLow,
                                       LPCWSTR name) {
    HANDLE mapping = realCreateFileMapping(file, security, protection, sizeHigh, sizeLow, name);
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    observed.mappings.push_back(
        {file, protection, (std::uint64_t{sizeHigh} << 32) | sizeLow, name != nullptr});
    observed.mappingHandles.push_back(mapping);
    return mapping;
}

LPVOID WINAPI ObserveMapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                                   SIZE_T bytes) {
    void* view = realMapViewOfFile(mapping, access, offsetHigh, offsetLow, bytes);
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    for (std::size_t i = observed.mappings.size(); i-- > 0;) {
        if (observed.mappingHandles[i] != mapping) continue;
        ObservedMapping& seen = observed.mappings[i];
        seen.viewAccess = access;
        seen.viewOffset = (std::uint64_t{offsetHigh} << 32) | offsetLow;
        seen.viewBytes = bytes;
        seen.view = view;
        break;
    }
    return view;
}

BOOL WINAPI ObserveUnmapViewOfFile(LPCVOID view) {
    {
        Observations& observed = Observed();
        std::lock_guard lock(observed.mutex);
        for (ObservedMapping& seen : observed.mappings) {
            if (seen.view == view) seen.unmapped = true;
        }
    }
    return realUnmapViewOfFile(view);
}

template <typename Function>
void Hook(HMODULE module, const char* dll, const char* name, Function replacement, Function& real) {
    void* previous = HookImport(module, dll, name, reinterpret_cast<void*>(replacement));
    // A library loaded again before it was unloaded has its imports hooked already.
    if (previous != nullptr && previous != reinterpret_cast<void*>(replacement)) {
        real = reinterpret_cast<Function>(previous);
    }
}

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function) {
    // Through void*: the export's address has the type that its name stands for, not FARPROC's.
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

std::wstring PluginLibrary::BesideProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L"\\/") + 1) + L"OmbrelDesktopTheBat.dll";
}

PluginLibrary::PluginLibrary(const std::wstring& path) {
    module_ = LoadLibraryW(path.c_str());
    if (module_ == nullptr) return;
    HookImport(module_, "user32.dll", "MessageBoxW", reinterpret_cast<void*>(&ObserveMessageBox));
    Hook(module_, "ole32.dll", "CoCreateInstance", &ObserveCoCreateInstance, realCoCreateInstance);
    Hook(module_, "kernel32.dll", "CreateFileMappingW", &ObserveCreateFileMapping,
         realCreateFileMapping);
    Hook(module_, "kernel32.dll", "MapViewOfFile", &ObserveMapViewOfFile, realMapViewOfFile);
    Hook(module_, "kernel32.dll", "UnmapViewOfFile", &ObserveUnmapViewOfFile, realUnmapViewOfFile);

    Resolve(module_, "TBP_Initialize", Initialize);
    Resolve(module_, "TBP_Finalize", Finalize);
    Resolve(module_, "TBP_NeedCOM", NeedCOM);
    Resolve(module_, "TBP_NeedConfig", NeedConfig);
    Resolve(module_, "TBP_GetName", GetName);
    Resolve(module_, "TBP_GetVersion", GetVersion);
    Resolve(module_, "TBP_GetInfo", GetInfo);
    Resolve(module_, "TBP_GetStatus", GetStatus);
    Resolve(module_, "TBP_GetConfigData", GetConfigData);
    Resolve(module_, "TBP_SetConfigData", SetConfigData);
    Resolve(module_, "TBP_Setup", Setup);
    Resolve(module_, "TBP_GetSpamScore", GetSpamScore);
    Resolve(module_, "DllCanUnloadNow", CanUnloadNow);
    Resolve(module_, "DllGetClassObject", GetClassObject);
    Resolve(module_, "DllRegisterServer", RegisterServer);
    Resolve(module_, "DllUnregisterServer", UnregisterServer);
}

PluginLibrary::~PluginLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
}

std::vector<ObservedMessageBox> PluginLibrary::TakeMessageBoxes() {
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    return std::exchange(observed.boxes, {});
}

std::vector<ObservedCreation> PluginLibrary::TakeCreations() {
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    return std::exchange(observed.creations, {});
}

std::vector<ObservedMapping> PluginLibrary::TakeMappings() {
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    observed.mappingHandles.clear();
    return std::exchange(observed.mappings, {});
}

void PluginLibrary::QueueMessageBoxAnswer(int answer) {
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    observed.answers.push_back(answer);
}

}  // namespace ombrel::standin
