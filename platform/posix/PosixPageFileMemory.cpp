#include "platform/posix/PosixPageFileMemory.h"

#include <sys/mman.h>

namespace ombrel::platform::posix {
namespace {

class MappedBlock final : public PageFileBlock {
  public:
    MappedBlock(void* view, std::size_t size) : view_(view), size_(size) {}
    ~MappedBlock() override { munmap(view_, size_); }
    MappedBlock(const MappedBlock&) = delete;
    MappedBlock& operator=(const MappedBlock&) = delete;

    char* Data() override { return static_cast<char*>(view_); }

  private:
    void* view_;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<PageFileBlock> PosixPageFileMemory::Map(std::uint32_t size) {
    if (size == 0) return nullptr;
    void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (view == MAP_FAILED) return nullptr;
    return std::make_unique<MappedBlock>(view, size);
}

}  // namespace ombrel::platform::posix
