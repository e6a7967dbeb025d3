// The port contracts, run against the real Windows functions.
#include "platform/win32/Win32ModuleFile.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SystemVersion.h"
#include "platform/win32/Win32ThreadLocale.h"
#include "platform/win32/Win32Threads.h"
#include "tests/contract/ModuleFileContract.h"
#include "tests/contract/PluginListScenarios.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"
#include "tests/contract/SystemVersionContract.h"
#include "tests/contract/ThreadLocaleContract.h"
#include "tests/contract/ThreadsContract.h"

namespace ombrel::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(PortFactory<platform::Registry>([] {
                             return std::make_unique<platform::win32::Win32Registry>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, ProfileFilesContract,
                         ::testing::Values(PortFactory<platform::ProfileFiles>([] {
                             return std::make_unique<platform::win32::Win32ProfileFiles>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, SystemVersionContract,
                         ::testing::Values(PortFactory<platform::SystemVersion>([] {
                             return std::make_unique<platform::win32::Win32SystemVersion>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, ThreadLocaleContract,
                         ::testing::Values(PortFactory<platform::ThreadLocale>([] {
                             return std::make_unique<platform::win32::Win32ThreadLocale>();
                         })));

// This program carries the library's resources.
INSTANTIATE_TEST_SUITE_P(Win32, ModuleFileContract,
                         ::testing::Values(PortFactory<platform::ModuleFile>([] {
                             return std::make_unique<platform::win32::Win32ModuleFile>(
                                 GetModuleHandleW(nullptr));
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, PluginListScenarios,
                         ::testing::Values(PortFactory<platform::ProfileFiles>([] {
                             return std::make_unique<platform::win32::Win32ProfileFiles>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, ThreadsContract,
                         ::testing::Values(PortFactory<platform::Threads>([] {
                             return std::make_unique<platform::win32::Win32Threads>();
                         })));

}  // namespace
}  // namespace ombrel::contract
