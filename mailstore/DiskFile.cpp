#include "mailstore/DiskFile.h"

#include <algorithm>
#include <limits>

#include "platform/Ports.h"

namespace ombrel {

using platform::DiskFiles;

CDiskFile::~CDiskFile() {
    CDiskFile::Close();
}

bool CDiskFile::Open(const WideString& path, bool map) {
    // Only this file's own handles: a derived reader's other state stays as it is.
    CDiskFile::Close();
    DiskFiles* files = platform::CurrentPorts().diskFiles;
    const DiskFiles::Handle file = files->OpenForReading(path.CStr());
    if (file == DiskFiles::kInvalidHandle) return false;
    files_ = files;
    file_ = file;
    const std::int64_t size = files->Size(file);
    size_ = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    if (!map) return true;
    mapping_ = files->CreateMapping(file);
    if (mapping_ != DiskFiles::kNoHandle && windowSize_ == 0) {
        view_ = static_cast<const std::uint8_t*>(files->MapView(mapping_));
        viewLength_ = size_;
    } else if (mapping_ != DiskFiles::kNoHandle) {
        MoveWindow(0, 0);
    }
    if (view_ == nullptr) {
        CDiskFile::Close();
        return false;
    }
    return true;
}

void CDiskFile::Close() {
    if (files_ == nullptr) return;
    Unmap();
    if (mapping_ != DiskFiles::kNoHandle) files_->Close(mapping_);
    mapping_ = DiskFiles::kNoHandle;
    if (file_ != DiskFiles::kInvalidHandle) files_->Close(file_);
    file_ = DiskFiles::kInvalidHandle;
    files_ = nullptr;
    size_ = 0;
}

std::int32_t CDiskFile::Read(void* buffer, std::int32_t count) {
    if (!IsOpen() || buffer == nullptr || count <= 0) return 0;
    std::uint32_t read = 0;
    if (!files_->Read(file_, buffer, static_cast<std::uint32_t>(count), read)) return 0;
    return static_cast<std::int32_t>(read);
}

bool CDiskFile::SizeChanged() const {
    return IsOpen() && files_->Size(file_) != static_cast<std::int64_t>(size_);
}

bool CDiskFile::IsOpen() const {
    return file_ != DiskFiles::kInvalidHandle;
}

std::int32_t CDiskFile::Seek(std::int32_t offset) {
    if (!IsOpen()) return -1;
    files_->SetPointer(file_, offset, DiskFiles::Origin::kBegin);
    return offset;
}

std::int32_t CDiskFile::Tell() {
    if (!IsOpen()) return -1;
    return static_cast<std::int32_t>(files_->SetPointer(file_, 0, DiskFiles::Origin::kCurrent));
}

const std::uint8_t* CDiskFile::ViewAt(std::uint64_t offset, std::uint64_t length) {
    if (mapping_ == DiskFiles::kNoHandle || offset > size_ || length > size_ - offset) {
        return nullptr;
    }
    if (!InView(offset, length) && (windowSize_ == 0 || !MoveWindow(offset, length))) {
        return nullptr;
    }
    return view_ + (offset - viewOffset_);
}

bool CDiskFile::InView(std::uint64_t offset, std::uint64_t length) const {
    return view_ != nullptr && offset >= viewOffset_ && offset - viewOffset_ <= viewLength_ &&
           length <= viewLength_ - (offset - viewOffset_);
}

bool CDiskFile::MoveWindow(std::uint64_t offset, std::uint64_t length) {
    const std::uint64_t alignment = std::max<std::uint64_t>(files_->ViewAlignment(), 1);
    const std::uint64_t start = offset - offset % alignment;
    const std::uint64_t needed = offset + length - start;
    std::uint64_t span = std::min(size_ - start, std::max(windowSize_, needed));
    Unmap();
    // One view at a time, so that what is mapped stays within the window or the range asked for.
    if (span == 0 || span > std::numeric_limits<std::uint32_t>::max()) return false;
    view_ = static_cast<const std::uint8_t*>(
        files_->MapViewPart(mapping_, start, static_cast<std::uint32_t>(span)));
    // A file shortened under the reader may still hold the range, if not the whole window.
    if (view_ == nullptr && needed > 0 && needed < span) {
        span = needed;
        view_ = static_cast<const std::uint8_t*>(
            files_->MapViewPart(mapping_, start, static_cast<std::uint32_t>(span)));
    }
    if (view_ == nullptr) return false;
    viewOffset_ = start;
    viewLength_ = span;
    return true;
}

void CDiskFile::Unmap() {
    if (view_ != nullptr) files_->UnmapView(view_);
    view_ = nullptr;
    viewOffset_ = 0;
    viewLength_ = 0;
}

bool CDiskFile::ReadAt(std::uint64_t offset, void* buffer, std::int32_t count) {
    if (!Holds(offset, static_cast<std::uint64_t>(count))) return false;
    const auto position = static_cast<std::int32_t>(offset);
    return Seek(position) == position && Read(buffer, count) == count;
}

bool CDiskFile::Holds(std::uint64_t offset, std::uint64_t length) const {
    constexpr auto kReach = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    return IsOpen() && offset <= kReach && offset <= size_ && length <= size_ - offset;
}

}  // namespace ombrel
