#pragma once

#include <cstdint>
#include <map>
#include <mutex>

#include "platform/DiskFiles.h"

namespace ombrel::testing {

// The file port of the platform with a count of the address space that views take: what is
// mapped now, and the most that was mapped at once.
class CountingDiskFiles final : public platform::DiskFiles {
  public:
    explicit CountingDiskFiles(platform::DiskFiles& files) : files_(files) {}

    std::uint64_t MappedBytes() const;
    std::uint64_t PeakMappedBytes() const;

    Handle OpenForReading(const char16_t* path) override { return files_.OpenForReading(path); }
    bool Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) override {
        return files_.Read(file, buffer, count, read);
    }
    std::int64_t SetPointer(Handle file, std::int32_t distance, Origin origin) override {
        return files_.SetPointer(file, distance, origin);
    }
    std::int64_t Size(Handle file) override { return files_.Size(file); }
    Handle CreateMapping(Handle file) override;
    const void* MapView(Handle mapping) override;
    std::uint32_t ViewAlignment() override { return files_.ViewAlignment(); }
    const void* MapViewPart(Handle mapping, std::uint64_t offset, std::uint32_t length) override;
    bool UnmapView(const void* view) override;
    bool Close(Handle handle) override;

  private:
    const void* Count(const void* view, std::uint64_t bytes);

    platform::DiskFiles& files_;
    mutable std::mutex mutex_;
    std::map<Handle, std::uint64_t> mappingSizes_;
    std::map<const void*, std::uint64_t> views_;
    std::uint64_t mapped_ = 0;
    std::uint64_t peak_ = 0;
};

}  // namespace ombrel::testing
