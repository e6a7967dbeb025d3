#include "tests/support/HostEnvironment.h"

namespace ombrel::testing {

void InstallHostEnvironment(platform::posix::PosixPlatform& posix,
                            std::u16string_view workingDirectory) {
    constexpr auto kUser = platform::Registry::kCurrentUser;
    posix.registry.PutString(kUser, kHostKey, u"Version", u"2.0.4.8");
    posix.registry.PutString(kUser, kHostKey, u"Working Directory", workingDirectory);
    posix.registry.PutString(kUser, kComponentKey, u"", u"");
    posix.moduleFile.SetPath(kModulePath);
}

void PutRegistryEntries(platform::posix::PosixPlatform& posix,
                        const std::vector<RegistryEntry>& entries) {
    constexpr auto kUser = platform::Registry::kCurrentUser;
    for (const RegistryEntry& entry : entries) {
        if (entry.isNumber) {
            posix.registry.PutDword(kUser, entry.key, entry.name, entry.number);
        } else {
            posix.registry.PutString(kUser, entry.key, entry.name, entry.text);
        }
    }
}

}  // namespace ombrel::testing
