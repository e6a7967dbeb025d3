#include "tests/support/MemoryDiskFiles.h"

#include <algorithm>
#include <cstring>

namespace ombrel::testing {

MemoryDiskFiles::Handle MemoryDiskFiles::OpenForReading(const char16_t* path) {
    const auto found = files_.find(path);
    if (found == files_.end()) return kInvalidHandle;
    const Handle handle = next_;
    next_ += 4;
    open_[handle] = {std::make_shared<const std::string>(found->second), 0, false};
    return handle;
}

bool MemoryDiskFiles::Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) {
    read = 0;
    Open* open = Find(file, false);
    if (open == nullptr) return false;
    const auto size = static_cast<std::int64_t>(open->bytes->size());
    const std::int64_t available = std::max<std::int64_t>(0, size - open->position);
    read = static_cast<std::uint32_t>(std::min<std::int64_t>(count, available));
    if (read > 0) std::memcpy(buffer, open->bytes->data() + open->position, read);
    open->position += read;
    return true;
}

std::int64_t MemoryDiskFiles::SetPointer(Handle file, std::int32_t distance, Origin origin) {
    Open* open = Find(file, false);
    if (open == nullptr) return -1;
    const std::int64_t target = (origin == Origin::kBegin ? 0 : open->position) + distance;
    if (target < 0) return -1;
    open->position = target;
    return target;
}

std::int64_t MemoryDiskFiles::Size(Handle file) {
    Open* open = Find(file, false);
    return open == nullptr ? -1 : static_cast<std::int64_t>(open->bytes->size());
}

MemoryDiskFiles::Handle MemoryDiskFiles::CreateMapping(Handle file) {
    Open* open = Find(file, false);
    if (open == nullptr || open->bytes->empty()) return kNoHandle;
    const Handle handle = next_;
    next_ += 4;
    open_[handle] = {open->bytes, 0, true};
    return handle;
}

const void* MemoryDiskFiles::MapView(Handle mapping) {
    Open* open = Find(mapping, true);
    if (open == nullptr) return nullptr;
    return Copy(*open, 0, open->bytes->size());
}

const void* MemoryDiskFiles::MapViewPart(Handle mapping, std::uint64_t offset,
                                         std::uint32_t length) {
    Open* open = Find(mapping, true);
    if (open == nullptr || length == 0 || offset % kViewAlignment != 0 ||
        offset >= open->bytes->size() || length > open->bytes->size() - offset) {
        return nullptr;
    }
    return Copy(*open, static_cast<std::size_t>(offset), length);
}

const void* MemoryDiskFiles::Copy(const Open& mapping, std::size_t offset, std::size_t length) {
    auto view = std::make_unique<char[]>(length);
    std::memcpy(view.get(), mapping.bytes->data() + offset, length);
    const void* address = view.get();
    views_[address] = std::move(view);
    return address;
}

bool MemoryDiskFiles::UnmapView(const void* view) {
    return views_.erase(view) == 1;
}

bool MemoryDiskFiles::Close(Handle handle) {
    return open_.erase(handle) == 1;
}

MemoryDiskFiles::Open* MemoryDiskFiles::Find(Handle handle, bool mapping) {
    const auto found = open_.find(handle);
    return found == open_.end() || found->second.isMapping != mapping ? nullptr : &found->second;
}

}  // namespace ombrel::testing
