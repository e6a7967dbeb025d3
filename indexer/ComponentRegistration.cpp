#include "indexer/ComponentRegistration.h"

#include <memory>
#include <string>

#include "common/HomePage.h"
#include "host/ComModule.h"
#include "indexer/GuidText.h"
#include "platform/Indexer.h"
#include "platform/PluginMessage.h"
#include "platform/Ports.h"
#include "platform/Registry.h"
#include "platform/ResourceStrings.h"

namespace ombrel {
namespace {

// The indexer's key of a registered component, under HKEY_CURRENT_USER.
constexpr const char16_t* kRegistrationKeyPattern =
    u"Software\\Ombrel\\Ombrel Desktop\\Components\\%s";
// Kept as 8-bit text, as the indexer's type library names it.
constexpr const char* kRegistrationTypeName = "OmbrelDesktop.IndexingRegistration";
constexpr int kIconResourceId = 202;

bool IsRegisteredWithIndexer(const WideString& componentId) {
    platform::Registry* registry = platform::CurrentPorts().registry;
    const WideString keyPath = WideString::Formatted(kRegistrationKeyPattern, componentId);
    platform::ScopedKey key(*registry);
    return registry->OpenKey(platform::Registry::kCurrentUser, keyPath.View(),
                             platform::reg::kQueryValue, *key.Receive()) == platform::reg::kSuccess;
}

HResult CreateRegistrar(std::unique_ptr<platform::IndexerRegistrar>& registrar) {
    platform::IndexerConnector* indexer = platform::CurrentPorts().indexer;
    const HResult result = indexer->CreateRegistrar(registrar);
    if (Succeeded(result) && !registrar) return hr::kNoInterface;
    return result;
}

std::u16string Widened(const char* ascii) {
    return {ascii, ascii + std::char_traits<char>::length(ascii)};
}

// The steps after the description: open the registration, add its entries, commit.
HResult CommitRegistration(platform::IndexerRegistrar& registrar,
                           const std::vector<WideString>& extraEntries) {
    std::unique_ptr<platform::IndexerRegistration> registration;
    HResult result = registrar.OpenRegistration(Widened(kRegistrationTypeName), registration);
    if (Failed(result)) return result;
    if (!registration) return hr::kPointer;
    result = registration->AddRegistrationEntry(nullptr);
    for (auto entry = extraEntries.begin(); Succeeded(result) && entry != extraEntries.end();
         ++entry) {
        result = registration->AddRegistrationEntry(entry->CStr());
    }
    if (Failed(result)) return result;
    return registrar.CommitComponent();
}

}  // namespace

std::int32_t EnsureRegistered(const WideString& title, const WideString& description) {
    if (IsRegisteredWithIndexer(GuidText(indexer::kComponentGuid))) return 1;

    const HResult moduleResult = RegisterModule();
    if (moduleResult != hr::kOk) {
        ShowPluginMessage(strings::kModuleRegistrationFailed);
        return moduleResult;
    }
    const WideString icon = WideString::Formatted(u",%d", kIconResourceId);
    const HResult result = RegisterComponent(indexer::kComponentGuid, title.CStr(),
                                             description.CStr(), kHomePage, icon.CStr(), {});
    if (result == indexer::kAlreadyRegistered) return 0;
    if (Failed(result)) ShowPluginMessage(strings::kComponentRegistrationFailed);
    return result;
}

HResult RegisterComponent(const Guid& componentGuid, const char16_t* title,
                          const char16_t* description, const char16_t* homePage,
                          const char16_t* icon, const std::vector<WideString>& extraEntries) {
    if (title == nullptr || description == nullptr || icon == nullptr) return hr::kPointer;
    std::unique_ptr<platform::IndexerRegistrar> registrar;
    const HResult created = CreateRegistrar(registrar);
    if (Failed(created)) return created;

    const WideString componentId = GuidText(componentGuid);
    const std::vector<std::u16string> descriptionTexts = {
        u"Title", title, u"Description", description,
        u"Icon",  icon,  u"Homepage",    homePage != nullptr ? homePage : u""};
    const HResult described = registrar->DescribeComponent(componentId.View(), descriptionTexts);
    if (Failed(described)) return described;

    const HResult result = CommitRegistration(*registrar, extraEntries);
    // The undo's own result does not matter: the failure stays the result.
    if (Failed(result)) registrar->RemoveComponent(componentId.View());
    return result;
}

HResult UnregisterComponent(const Guid& componentGuid) {
    std::unique_ptr<platform::IndexerRegistrar> registrar;
    const HResult created = CreateRegistrar(registrar);
    if (Failed(created)) return created;
    return registrar->RemoveComponent(GuidText(componentGuid).View());
}

}  // namespace ombrel
