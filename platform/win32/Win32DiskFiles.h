#pragma once

#include "platform/DiskFiles.h"

namespace ombrel::platform::win32 {

// The Windows file and file-mapping functions, with the flags the readers need.
class Win32DiskFiles final : public DiskFiles {
  public:
    Handle OpenForReading(const char16_t* path) override;
    bool Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) override;
    std::int64_t SetPointer(Handle file, std::int32_t distance, Origin origin) override;
    std::int64_t Size(Handle file) override;
    Handle CreateMapping(Handle file) override;
    const void* MapView(Handle mapping) override;
    std::uint32_t ViewAlignment() override;
    const void* MapViewPart(Handle mapping, std::uint64_t offset, std::uint32_t length) override;
    bool UnmapView(const void* view) override;
    bool Close(Handle handle) override;
};

}  // namespace ombrel::platform::win32
