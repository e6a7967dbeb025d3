// The port contracts, run against the posix layer.
#include "platform/posix/MemoryRegistry.h"
#include "platform/posix/PosixCodePages.h"
#include "platform/posix/PosixModuleFile.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixSystemVersion.h"
#include "platform/posix/PosixThreadLocale.h"
#include "platform/posix/PosixThreads.h"
#include "tests/contract/ModuleFileContract.h"
#include "tests/contract/PluginListScenarios.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"
#include "tests/contract/SystemVersionContract.h"
#include "tests/contract/ThreadLocaleContract.h"
#include "tests/contract/ThreadsContract.h"

namespace ombrel::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Posix, RegistryContract,
                         ::testing::Values(PortFactory<platform::Registry>([] {
                             return std::make_unique<platform::posix::MemoryRegistry>();
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, ProfileFilesContract,
                         ::testing::Values(PortFactory<platform::ProfileFiles>([] {
                             static const platform::posix::PosixCodePages codePages;
                             return std::make_unique<platform::posix::PosixProfileFiles>(codePages);
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, SystemVersionContract,
                         ::testing::Values(PortFactory<platform::SystemVersion>([] {
                             return std::make_unique<platform::posix::PosixSystemVersion>();
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, ThreadLocaleContract,
                         ::testing::Values(PortFactory<platform::ThreadLocale>([] {
                             return std::make_unique<platform::posix::PosixThreadLocale>();
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, ModuleFileContract,
                         ::testing::Values(PortFactory<platform::ModuleFile>([] {
                             auto module = std::make_unique<platform::posix::PosixModuleFile>();
                             module->SetPath(u"C:\\Program Files\\Ombrel\\OmbrelDesktopTheBat.dll");
                             return module;
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, PluginListScenarios,
                         ::testing::Values(PortFactory<platform::ProfileFiles>([] {
                             static const platform::posix::PosixCodePages codePages;
                             return std::make_unique<platform::posix::PosixProfileFiles>(codePages);
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, ThreadsContract,
                         ::testing::Values(PortFactory<platform::Threads>([] {
                             return std::make_unique<platform::posix::PosixThreads>();
                         })));

}  // namespace
}  // namespace ombrel::contract
