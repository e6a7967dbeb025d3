// The port contracts, run against the posix layer.
#include <fcntl.h>
#include <unistd.h>

#include "platform/posix/MemoryRegistry.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixCodePages.h"
#include "platform/posix/PosixDiskFiles.h"
#include "platform/posix/PosixModuleFile.h"
#include "platform/posix/PosixPageFileMemory.h"
#include "platform/posix/PosixPaths.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/PosixSystemVersion.h"
#include "platform/posix/PosixThreadLocale.h"
#include "platform/posix/PosixThreads.h"
#include "tests/contract/ClockContract.h"
#include "tests/contract/CodePagesContract.h"
#include "tests/contract/DiskFilesContract.h"
#include "tests/contract/ModuleFileContract.h"
#include "tests/contract/PageFileMemoryContract.h"
#include "tests/contract/PluginListScenarios.h"
#include "tests/contract/ProfileFilesContract.h"
#include "tests/contract/RegistryContract.h"
#include "tests/contract/SystemVersionContract.h"
#include "tests/contract/ThreadLocaleContract.h"
#include "tests/contract/ThreadsContract.h"
#include "tests/contract/TreeControlContract.h"
#include "tests/support/posix/TreeModel.h"

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

// A posix writer: the file open for writing under a write lock of its own description.
class PosixWriterHold final : public WriterHold {
  public:
    explicit PosixWriterHold(int descriptor) : descriptor_(descriptor) {}
    ~PosixWriterHold() override { close(descriptor_); }
    PosixWriterHold(const PosixWriterHold&) = delete;
    PosixWriterHold& operator=(const PosixWriterHold&) = delete;

  private:
    int descriptor_;
};

std::unique_ptr<WriterHold> HoldForWriting(const std::u16string& path) {
    const int descriptor = open(platform::posix::PosixPath(path).c_str(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(descriptor, F_OFD_SETLK, &lock) != 0) {
        close(descriptor);
        return nullptr;
    }
    return std::make_unique<PosixWriterHold>(descriptor);
}

INSTANTIATE_TEST_SUITE_P(Posix, DiskFilesContract,
                         ::testing::Values(DiskFilesTarget{
                             [] { return std::make_unique<platform::posix::PosixDiskFiles>(); },
                             HoldForWriting}));
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

INSTANTIATE_TEST_SUITE_P(Posix, TreeControlContract,
                         ::testing::Values(PortFactory<platform::TreeControl>([] {
                             return std::make_unique<platform::posix::TreeModel>();
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, PageFileMemoryContract,
                         ::testing::Values(PortFactory<platform::PageFileMemory>([] {
                             return std::make_unique<platform::posix::PosixPageFileMemory>();
                         })));

INSTANTIATE_TEST_SUITE_P(Posix, ClockContract, ::testing::Values(PortFactory<platform::Clock>([] {
                             return std::make_unique<platform::posix::PosixClock>();
                         })));

}  // namespace
}  // namespace ombrel::contract
