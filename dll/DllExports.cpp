// The library's exports: stdcall entry points that forward to the portable bodies, which keep
// every exception inside.
#include <windows.h>

#include <cstdint>

#include "host/PluginApi.h"

namespace {

// The host's data callback of TBP_GetSpamScore.
using DataCallback = std::int32_t(__stdcall*)(void* message, std::int32_t dataKind, void* buffer,
                                              std::int32_t size);

class HostMessage final : public ombrel::MessageDataSource {
  public:
    HostMessage(void* message, DataCallback callback) : message_(message), callback_(callback) {}
    std::int32_t Fetch(std::int32_t dataKind, void* buffer, std::int32_t size) override {
        return callback_ != nullptr ? callback_(message_, dataKind, buffer, size) : 0;
    }

  private:
    void* message_;
    DataCallback callback_;
};

}  // namespace

namespace plugin = ombrel::plugin;

extern "C" {

void __stdcall TBP_Initialize() {
    plugin::Initialize();
}
void __stdcall TBP_Finalize() {
    plugin::Finalize();
}
std::int32_t __stdcall TBP_NeedCOM() {
    return plugin::NeedCom();
}
std::int32_t __stdcall TBP_GetName(char* buffer, std::int32_t size) {
    return plugin::GetName(buffer, size);
}
std::int32_t __stdcall TBP_GetVersion(char* buffer, std::int32_t size) {
    return plugin::GetVersion(buffer, size);
}
std::int32_t __stdcall TBP_GetInfo(std::int32_t first, std::int32_t second) {
    return plugin::GetInfo(first, second);
}
std::int32_t __stdcall TBP_GetStatus() {
    return plugin::GetStatus();
}
std::uint32_t __stdcall TBP_GetConfigData(std::uint8_t* buffer, std::uint32_t size) {
    return plugin::GetConfigData(buffer, size);
}
std::int32_t __stdcall TBP_SetConfigData(const std::uint8_t* data, std::int32_t size) {
    return plugin::SetConfigData(data, size);
}
std::int32_t __stdcall TBP_Setup() {
    return plugin::Setup();
}
std::int32_t __stdcall TBP_GetSpamScore(void* message, DataCallback callback) {
    HostMessage source(message, callback);
    return plugin::GetSpamScore(source);
}

HRESULT __stdcall DllCanUnloadNow() {
    return plugin::CanUnloadNow();
}
HRESULT __stdcall DllGetClassObject(REFCLSID /*classId*/, REFIID /*interfaceId*/, void** object) {
    return plugin::GetClassObject(object);
}
HRESULT __stdcall DllRegisterServer() {
    return plugin::RegisterServer();
}
HRESULT __stdcall DllUnregisterServer() {
    return plugin::UnregisterServer();
}

}  // extern "C"
