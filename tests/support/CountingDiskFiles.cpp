#include "tests/support/CountingDiskFiles.h"

#include <algorithm>

namespace ombrel::testing {

std::uint64_t CountingDiskFiles::MappedBytes() const {
    std::lock_guard lock(mutex_);
    return mapped_;
}

std::uint64_t CountingDiskFiles::PeakMappedBytes() const {
    std::lock_guard lock(mutex_);
    return peak_;
}

CountingDiskFiles::Handle CountingDiskFiles::CreateMapping(Handle file) {
    const Handle mapping = files_.CreateMapping(file);
    if (mapping != kNoHandle) {
        std::lock_guard lock(mutex_);
        mappingSizes_[mapping] = static_cast<std::uint64_t>(std::max<std::int64_t>(Size(file), 0));
    }
    return mapping;
}

const void* CountingDiskFiles::MapView(Handle mapping) {
    std::uint64_t size = 0;
    {
        std::lock_guard lock(mutex_);
        const auto found = mappingSizes_.find(mapping);
        if (found != mappingSizes_.end()) size = found->second;
    }
    return Count(files_.MapView(mapping), size);
}

const void* CountingDiskFiles::MapViewPart(Handle mapping, std::uint64_t offset,
                                           std::uint32_t length) {
    return Count(files_.MapViewPart(mapping, offset, length), length);
}

bool CountingDiskFiles::UnmapView(const void* view) {
    {
        std::lock_guard lock(mutex_);
        const auto found = views_.find(view);
        if (found != views_.end()) {
            mapped_ -= found->second;
            views_.erase(found);
        }
    }
    return files_.UnmapView(view);
}

bool CountingDiskFiles::Close(Handle handle) {
    {
        std::lock_guard lock(mutex_);
        mappingSizes_.erase(handle);
    }
    return files_.Close(handle);
}

const void* CountingDiskFiles::Count(const void* view, std::uint64_t bytes) {
    if (view == nullptr) return view;
    std::lock_guard lock(mutex_);
    views_[view] = bytes;
    mapped_ += bytes;
    peak_ = std::max(peak_, mapped_);
    return view;
}

}  // namespace ombrel::testing
