#pragma once

#include "platform/PageFileMemory.h"

namespace ombrel::platform::win32 {

// Unnamed mappings of the page file: CreateFileMappingW over INVALID_HANDLE_VALUE with
// PAGE_READWRITE | SEC_COMMIT (0x08000004), viewed whole with FILE_MAP_ALL_ACCESS (0xF001F).
class Win32PageFileMemory final : public PageFileMemory {
  public:
    std::unique_ptr<PageFileBlock> Map(std::uint32_t size) override;
};

}  // namespace ombrel::platform::win32
