// The port contracts, run against the real Windows functions.
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Threads.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"
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

INSTANTIATE_TEST_SUITE_P(Win32, ThreadsContract,
                         ::testing::Values(PortFactory<platform::Threads>([] {
                             return std::make_unique<platform::win32::Win32Threads>();
                         })));

}  // namespace
}  // namespace ombrel::contract
