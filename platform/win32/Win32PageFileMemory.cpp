#include "platform/win32/Win32PageFileMemory.h"

#include <windows.h>

namespace ombrel::platform::win32 {
namespace {

constexpr DWORD kCommittedReadWrite = 0x08000004;  // SEC_COMMIT | PAGE_READWRITE
constexpr DWORD kAllAccess = 0xF001F;              // FILE_MAP_ALL_ACCESS

class MappedBlock final : public PageFileBlock {
  public:
    MappedBlock(HANDLE mapping, void* view) : mapping_(mapping), view_(view) {}
    ~MappedBlock() override {
        UnmapViewOfFile(view_);
        CloseHandle(mapping_);
    }
    MappedBlock(const MappedBlock&) = delete;
    MappedBlock& operator=(const MappedBlock&) = delete;

    char* Data() override { return static_cast<char*>(view_); }

  private:
    HANDLE mapping_;
    void* view_;
};

}  // namespace

std::unique_ptr<PageFileBlock> Win32PageFileMemory::Map(std::uint32_t size) {
    HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, kCommittedReadWrite, 0, size, nullptr);
    if (mapping == nullptr) return nullptr;
    void* view = MapViewOfFile(mapping, kAllAccess, 0, 0, 0);  // 0 bytes: the whole mapping
    if (view == nullptr) {
        CloseHandle(mapping);
        return nullptr;
    }
    return std::make_unique<MappedBlock>(mapping, view);
}

}  // namespace ombrel::platform::win32
