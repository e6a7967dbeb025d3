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

}  // namespace ombrel::testing
