#pragma once

#include "platform/PageFileMemory.h"

namespace ombrel::platform::posix {

// Page-file-backed memory as anonymous private mappings (mmap), counted against the system's
// commit limit when made.
class PosixPageFileMemory final : public PageFileMemory {
  public:
    std::unique_ptr<PageFileBlock> Map(std::uint32_t size) override;
};

}  // namespace ombrel::platform::posix
