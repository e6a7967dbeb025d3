#include "mailstore/Accounts.h"

#include <vector>

#include "host/PluginState.h"
#include "mailstore/FolderState.h"
#include "mailstore/FolderTree.h"
#include "platform/Ports.h"
#include "platform/Registry.h"

namespace ombrel {
namespace {

namespace reg = platform::reg;

constexpr const char16_t* kUsersDepot = u"Software\\RIT\\The Bat!\\Users Depot";

// The stored size in bytes of a value, 0 when it cannot be queried.
std::uint32_t ValueSize(platform::Registry& registry, platform::Registry::Key key,
                        const WideString& name) {
    std::uint32_t size = 0;
    if (registry.QueryValue(key, name.CStr(), nullptr, nullptr, &size) != reg::kSuccess) return 0;
    return size;
}

// A string value, up to its first zero unit; empty when it does not read.
WideString ReadText(platform::Registry& registry, platform::Registry::Key key,
                    const WideString& name, std::uint32_t size) {
    std::vector<char16_t> units(size / sizeof(char16_t) + 1, u'\0');
    if (registry.QueryValue(key, name.CStr(), nullptr, units.data(), &size) != reg::kSuccess) {
        return {};
    }
    return {units.data()};
}

// The directory of account slot n: its own "Dir #n" when that holds more than an empty text, or
// the one named after the user below the host's working directory. Empty when neither is known.
WideString AccountDirectory(platform::Registry& registry, platform::Registry::Key key,
                            std::uint64_t n, const WideString& user,
                            const WideString& workingDirectory) {
    const WideString name = WideString::Formatted(u"Dir #%d", static_cast<int>(n));
    const std::uint32_t size = ValueSize(registry, key, name);
    WideString directory = size > 2 ? ReadText(registry, key, name, size) : WideString();
    if (directory.IsEmpty() && !workingDirectory.IsEmpty())
        directory = workingDirectory + user + u"\\";
    return directory;
}

// The account of the host's working directory, kept only when it has folders.
void AppendCommonAccount(AccountList& accounts, const WideString& workingDirectory) {
    if (workingDirectory.IsEmpty()) return;
    std::unique_ptr<MailAccount> common = BuildAccount(WideString(), workingDirectory);
    if (common->rootFolder.children.empty()) return;
    WriteEnabled(*common, true);
    accounts.push_back(std::move(common));
}

}  // namespace

bool LoadAccounts() {
    PluginState& state = State();
    platform::Registry* registry = platform::CurrentPorts().registry;
    if (!state.accounts) return true;

    platform::ScopedKey key(*registry);
    if (registry->OpenKey(platform::Registry::kCurrentUser, kUsersDepot, reg::kQueryValue,
                          *key.Receive()) != reg::kSuccess) {
        return true;
    }
    std::uint32_t count = 0;
    std::uint32_t size = sizeof count;
    if (registry->QueryValue(key.Get(), u"Count", nullptr, &count, &size) != reg::kSuccess) {
        return true;
    }

    AccountList& accounts = *state.accounts;
    accounts.clear();
    for (std::uint64_t n = 1; n <= count; ++n) {
        const WideString userValue = WideString::Formatted(u"User #%d", static_cast<int>(n));
        const std::uint32_t userSize = ValueSize(*registry, key.Get(), userValue);
        if (userSize == 0) continue;
        const WideString user = ReadText(*registry, key.Get(), userValue, userSize);
        if (user.IsEmpty()) continue;
        const WideString directory =
            AccountDirectory(*registry, key.Get(), n, user, state.dataDirectory);
        if (directory.IsEmpty()) continue;
        accounts.push_back(BuildAccount(user, directory));
    }
    AppendCommonAccount(accounts, state.dataDirectory);
    return true;
}

}  // namespace ombrel
