// The port contracts, run against the posix layer.
#include "platform/posix/MemoryRegistry.h"
#include "platform/posix/PosixCodePages.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixThreads.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"
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

INSTANTIATE_TEST_SUITE_P(Posix, ThreadsContract,
                         ::testing::Values(PortFactory<platform::Threads>([] {
                             return std::make_unique<platform::posix::PosixThreads>();
                         })));

}  // namespace
}  // namespace ombrel::contract
