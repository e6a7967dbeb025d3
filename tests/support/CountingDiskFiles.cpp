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
    const Handle mapping = Next().CreateMapping(file);
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
    return Count(Next().MapView(mapping), size);
}

const void* CountingDiskFiles::MapViewPart(Handle mapping, std::uint64_t offset,
                                           std::uint32_t length) {
    return Count(Next().MapViewPart(mapping, offset, length), length);
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
    return Next().UnmapView(view);
}

bool CountingDiskFiles::Close(Handle handle) {
    {
        std::lock_guard lock(mutex_);
        mappingSizes_.erase(handle);
    }
    return Next().Close(handle);
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
