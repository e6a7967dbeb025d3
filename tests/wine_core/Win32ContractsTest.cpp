// The port contracts, run against the real Windows functions.
#include "platform/win32/Win32CodePages.h"
#include "platform/win32/Win32Registry.h"
#include "tests/contract/CodePagesContract.h"
#include "tests/contract/RegistryContract.h"

namespace ombrel::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(PortFactory<platform::Registry>([] {
                             return std::make_unique<platform::win32::Win32Registry>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, CodePagesContract,
                         ::testing::Values(PortFactory<platform::CodePages>([] {
                             return std::make_unique<platform::win32::Win32CodePages>();
                         })));

}  // namespace
}  // namespace ombrel::contract
