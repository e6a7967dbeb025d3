// The port contracts, run against the posix layer.
#include <fcntl.h>
#include <unistd.h>

#include "platform/posix/MemoryRegistry.h"
#include "platform/posix/PosixDiskFiles.h"
#include "platform/posix/PosixPaths.h"
#include "tests/contract/DiskFilesContract.h"
#include "tests/contract/RegistryContract.h"

namespace ombrel::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Posix, RegistryContract,
                         ::testing::Values(PortFactory<platform::Registry>([] {
                             return std::make_unique<platform::posix::MemoryRegistry>();
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
    const int descriptor = open(platform::posix::LocalPath(path).c_str(), O_RDWR | O_CLOEXEC);
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

}  // namespace
}  // namespace ombrel::contract
