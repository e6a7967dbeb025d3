#pragma once

#include <cstdint>
#include <map>
#include <mutex>

#include "platform/ForwardingDiskFiles.h"

namespace ombrel::testing {

// The file port of the platform with a count of the address space that views take: what is
// mapped now, and the most that was mapped at once.
class CountingDiskFiles final : public platform::ForwardingDiskFiles {
  public:
    explicit CountingDiskFiles(platform::DiskFiles& files) : ForwardingDiskFiles(files) {}

    std::uint64_t MappedBytes() const;
    std::uint64_t PeakMappedBytes() const;

    Handle CreateMapping(Handle file) override;
    const void* MapView(Handle mapping) override;
    const void* MapViewPart(Handle mapping, std::uint64_t offset, std::uint32_t length) override;
    bool UnmapView(const void* view) override;
    bool Close(Handle handle) override;

  private:
    const void* Count(const void* view, std::uint64_t bytes);

    mutable std::mutex mutex_;
    std::map<Handle, std::uint64_t> mappingSizes_;
    std::map<const void*, std::uint64_t> views_;
    std::uint64_t mapped_ = 0;
    std::uint64_t peak_ = 0;
};

}  // namespace ombrel::testing
