// The port contracts, run against the posix layer.
#include "platform/posix/MemoryRegistry.h"
#include "platform/posix/PosixCodePages.h"
#include "tests/contract/CodePagesContract.h"
#include "tests/contract/RegistryContract.h"

namespace ombrel::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Posix, RegistryContract,
                         ::testing::Values(PortFactory<platform::Registry>([] {
                             return std::make_unique<platform::posix::MemoryRegistry>();
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, CodePagesContract,
                         ::testing::Values(PortFactory<platform::CodePages>([] {
                             return std::make_unique<platform::posix::PosixCodePages>();
                         })));

}  // namespace
}  // namespace ombrel::contract
