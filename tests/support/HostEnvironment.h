#pragma once

#include <string_view>

#include "platform/posix/PosixPlatform.h"
#include "tests/support/SampleStore.h"

namespace ombrel::testing {

// The host's key and the indexer's key of the library's component, under HKEY_CURRENT_USER.
inline constexpr const char16_t* kHostKey = u"Software\\RIT\\The Bat!";
inline constexpr const char16_t* kComponentKey =
    u"Software\\Ombrel\\Ombrel Desktop\\Components\\{E6895E72-8741-44B3-900E-01ED98D1A6D3}";
inline constexpr const char16_t* kModulePath =
    u"C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.dll";

// A machine on which the library starts without a word: The Bat! 2.0.4.8 with its working
// directory, the library registered with the indexer, and the library's own path known.
void InstallHostEnvironment(platform::posix::PosixPlatform& posix,
                            std::u16string_view workingDirectory = u"C:\\Mail\\");

// Puts the registry values below HKEY_CURRENT_USER (a sample store's, for example).
void PutRegistryEntries(platform::posix::PosixPlatform& posix,
                        const std::vector<RegistryEntry>& entries);

}  // namespace ombrel::testing
