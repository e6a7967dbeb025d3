#pragma once

#include "platform/DiskFiles.h"

namespace ombrel::platform {

// A file port that hands every call on to another one: the base of ports that change a few calls
// of the platform's (a drive map, a count of what is mapped, injected faults).
class ForwardingDiskFiles : public DiskFiles {
  public:
    explicit ForwardingDiskFiles(DiskFiles& files) : files_(files) {}

    Handle OpenForReading(const char16_t* path) override { return files_.OpenForReading(path); }
    bool Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) override {
        return files_.Read(file, buffer, count, read);
    }
    std::int64_t SetPointer(Handle file, std::int32_t distance, Origin origin) override {
        return files_.SetPointer(file, distance, origin);
    }
    std::int64_t Size(Handle file) override { return files_.Size(file); }
    Handle CreateMapping(Handle file) override { return files_.CreateMapping(file); }
    const void* MapView(Handle mapping) override { return files_.MapView(mapping); }
    std::uint32_t ViewAlignment() override { return files_.ViewAlignment(); }
    const void* MapViewPart(Handle mapping, std::uint64_t offset, std::uint32_t length) override {
        return files_.MapViewPart(mapping, offset, length);
    }
    bool UnmapView(const void* view) override { return files_.UnmapView(view); }
    bool Close(Handle handle) override { return files_.Close(handle); }

  protected:
    DiskFiles& Next() { return files_; }

  private:
    DiskFiles& files_;
};

}  // namespace ombrel::platform
