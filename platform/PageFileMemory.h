#pragma once

#include <cstdint>
#include <memory>

namespace ombrel::platform {

// A block of page-file-backed memory; destroying it unmaps the view and closes the mapping.
class PageFileBlock {
  public:
    virtual ~PageFileBlock() = default;
    // The first byte of the view: `size` bytes, readable and writable, zero at first.
    virtual char* Data() = 0;
};

// Memory for blocks too large for the heap, backed by the system's page file.
class PageFileMemory {
  public:
    virtual ~PageFileMemory() = default;
    // An unnamed page-file-backed mapping of `size` bytes, committed at once, mapped whole for
    // reading and writing (CreateFileMappingW without a file, then MapViewOfFile); null when
    // either step fails, as it does for a size of 0.
    virtual std::unique_ptr<PageFileBlock> Map(std::uint32_t size) = 0;
};

}  // namespace ombrel::platform
