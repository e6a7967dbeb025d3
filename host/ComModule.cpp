#include "host/ComModule.h"

#include <memory>
#include <optional>

#include "host/RegistryScript.h"
#include "indexer/GuidText.h"
#include "platform/CodePages.h"
#include "platform/ModuleFile.h"
#include "platform/Ports.h"
#include "platform/ThreadLocale.h"

namespace ombrel {
namespace {

constexpr std::uint32_t kRegistrationScriptId = 101;
// ERROR_RESOURCE_NAME_NOT_FOUND as an HRESULT.
constexpr HResult kScriptNotFound = FromWin32(1814);

std::unique_ptr<COmbrelDesktopSearchTheBatModule>& ModuleSlot() {
    static std::unique_ptr<COmbrelDesktopSearchTheBatModule> module;
    return module;
}

// Sets the calling thread's locale to the system default and restores the previous one.
class SystemDefaultThreadLocale {
  public:
    explicit SystemDefaultThreadLocale(platform::ThreadLocale& locale)
        : locale_(locale), previous_(locale.Get()) {
        locale_.Set(platform::locale::kSystemDefault);
    }
    ~SystemDefaultThreadLocale() { locale_.Set(previous_); }
    SystemDefaultThreadLocale(const SystemDefaultThreadLocale&) = delete;
    SystemDefaultThreadLocale& operator=(const SystemDefaultThreadLocale&) = delete;

  private:
    platform::ThreadLocale& locale_;
    std::uint32_t previous_;
};

std::optional<std::u16string> LoadScriptText(const platform::Ports& ports) {
    std::optional<std::string> bytes = ports.moduleFile->RegistryScript(kRegistrationScriptId);
    if (!bytes) return std::nullopt;
    return ports.codePages->ToWide(platform::codepage::kThreadAnsi, *bytes);
}

}  // namespace

COmbrelDesktopSearchTheBatModule::COmbrelDesktopSearchTheBatModule()
    : appId_(GuidText(indexer::kComponentGuid, HexDigits::Lower)) {}

HResult COmbrelDesktopSearchTheBatModule::UpdateRegistry(bool registering) const {
    const platform::Ports& ports = platform::CurrentPorts();
    const SystemDefaultThreadLocale locale(*ports.threadLocale);
    const std::optional<std::u16string> text = LoadScriptText(ports);
    if (!text) return kScriptNotFound;
    const std::optional<RegistryScript> script =
        RegistryScript::Parse(*text, {{u"APPID", appId_.Std()}});
    if (!script) return kScriptSyntaxError;
    return registering ? script->Register(*ports.registry) : script->Unregister(*ports.registry);
}

HResult COmbrelDesktopSearchTheBatModule::GetClassObject(void** object) {
    if (object == nullptr) return hr::kPointer;
    *object = nullptr;
    return hr::kClassNotAvailable;
}

bool SetUpComModule() noexcept {
    try {
        ModuleSlot() = std::make_unique<COmbrelDesktopSearchTheBatModule>();
        return true;
    } catch (...) {
        return false;
    }
}

void TearDownComModule() noexcept {
    ModuleSlot().reset();
}

HResult RegisterModule() {
    const auto& module = ModuleSlot();
    return module ? module->UpdateRegistry(true) : hr::kUnexpected;
}

HResult UnregisterModule() {
    const auto& module = ModuleSlot();
    return module ? module->UpdateRegistry(false) : hr::kUnexpected;
}

}  // namespace ombrel
