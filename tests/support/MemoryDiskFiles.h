#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/DiskFiles.h"

namespace ombrel::testing {

// The file port over files held in memory, for damaged-file tests and fuzzers that open
// thousands of variants. Every opened file and view is a separate allocation of exactly the
// file's size, so a sanitizer catches any read beyond it. Paths compare as given.
class MemoryDiskFiles final : public platform::DiskFiles {
  public:
    void Put(const std::u16string& path, const std::string& bytes) { files_[path] = bytes; }
    void Remove(const std::u16string& path) { files_.erase(path); }
    // Handles and views still open (tests check that readers release everything).
    std::size_t OpenCount() const { return open_.size() + views_.size(); }

    Handle OpenForReading(const char16_t* path) override;
    bool Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) override;
    std::int64_t SetPointer(Handle file, std::int32_t distance, Origin origin) override;
    std::int64_t Size(Handle file) override;
    Handle CreateMapping(Handle file) override;
    const void* MapView(Handle mapping) override;
    std::uint32_t ViewAlignment() override { return kViewAlignment; }
    const void* MapViewPart(Handle mapping, std::uint64_t offset, std::uint32_t length) override;
    bool UnmapView(const void* view) override;
    bool Close(Handle handle) override;

  private:
    struct Open {
        std::shared_ptr<const std::string> bytes;
        std::int64_t position = 0;
        bool isMapping = false;
    };

    static constexpr std::uint32_t kViewAlignment = 4096;

    Open* Find(Handle handle, bool mapping);
    // A view of its own holding a copy of `length` bytes of the mapping from `offset`.
    const void* Copy(const Open& mapping, std::size_t offset, std::size_t length);

    std::map<std::u16string, std::string> files_;
    std::map<Handle, Open> open_;
    std::map<const void*, std::unique_ptr<char[]>> views_;
    Handle next_ = 0x100;
};

}  // namespace ombrel::testing
