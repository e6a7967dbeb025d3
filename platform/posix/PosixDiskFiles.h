#pragma once

#include <cstddef>
#include <map>
#include <mutex>

#include "platform/DiskFiles.h"

namespace ombrel::platform::posix {

// Files through open, read, lseek, fstat and mmap, answering as the Windows functions do.
//
// Views: a view is read into memory of its own when it is mapped, rather than mapped shared.
// Windows refuses to shorten a file that has a view, but POSIX lets any program truncate it, and a
// shared mapping would then end the reader with SIGBUS. A view made after the file shrank fails.
//
// Sharing: a file opens with a shared open-file-description lock over its whole length, and the
// open fails when another description holds a write lock on it. Programs that open a file for
// writing with a write lock of their own are thus kept out while a reader holds it, and keep a
// reader out while they hold it. POSIX locks are advisory: a program that writes without taking a
// lock is neither refused nor noticed, which Windows would prevent.
class PosixDiskFiles final : public DiskFiles {
  public:
    PosixDiskFiles() = default;
    ~PosixDiskFiles() override;
    PosixDiskFiles(const PosixDiskFiles&) = delete;
    PosixDiskFiles& operator=(const PosixDiskFiles&) = delete;

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

  private:
    struct Object {
        int descriptor;
        bool isMapping;
        std::int64_t size;  // of the mapping
    };

    Handle Track(const Object& object);
    // The open file (or mapping) behind a handle, or null.
    const Object* Find(Handle handle, bool mapping) const;
    int DescriptorOf(Handle file) const;
    // Maps `length` bytes of the mapping from `offset` and records the view; null on failure.
    const void* Map(Handle mapping, std::uint64_t offset, std::uint64_t length);

    mutable std::mutex mutex_;
    std::map<Handle, Object> objects_;
    std::map<const void*, std::size_t> views_;
    Handle next_ = 0x100;
};

}  // namespace ombrel::platform::posix
