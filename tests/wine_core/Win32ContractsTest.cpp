// The port contracts, run against the real Windows functions.
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"

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

}  // namespace
}  // namespace ombrel::contract
