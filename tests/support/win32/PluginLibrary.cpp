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

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L"\\/") + 1);
}

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(GetProcAddress(module, name));
}

}  // namespace

PluginLibrary::PluginLibrary() {
    module_ = LoadLibraryW((ProgramDirectory() + L"OmbrelDesktopTheBat.dll").c_str());
    if (module_ == nullptr) return;
    HookImport(module_, "user32.dll", "MessageBoxW", reinterpret_cast<void*>(&ObserveMessageBox));
    void* real = HookImport(module_, "ole32.dll", "CoCreateInstance",
                            reinterpret_cast<void*>(&ObserveCoCreateInstance));
    if (real != nullptr) realCoCreateInstance = reinterpret_cast<CoCreateInstanceFunction>(real);

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

void PluginLibrary::QueueMessageBoxAnswer(int answer) {
    Observations& observed = Observed();
    std::lock_guard lock(observed.mutex);
    observed.answers.push_back(answer);
}

}  // namespace ombrel::standin
