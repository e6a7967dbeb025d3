#pragma once

#include <cstdint>

namespace ombrel::platform {

// Files on disk as the Windows file and file-mapping functions offer them, for reading only.
// Handles are opaque; a file handle that failed to open is kInvalidHandle (all bits set), a
// mapping that failed is kNoHandle.
class DiskFiles {
  public:
    using Handle = std::uintptr_t;
    static constexpr Handle kInvalidHandle = ~Handle{0};
    static constexpr Handle kNoHandle = 0;

    // Starting points of SetFilePointer.
    enum class Origin : std::uint32_t { kBegin = 0, kCurrent = 1 };

    virtual ~DiskFiles() = default;

    // CreateFileW for reading an existing file, sharing read access only: fails when another
    // handle holds the file open for writing, and while the handle is open nobody else can open
    // the file for writing.
    virtual Handle OpenForReading(const char16_t* path) = 0;
    // ReadFile: true when the read worked; `read` is the count of bytes read (fewer than asked at
    // the end of the file).
    virtual bool Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) = 0;
    // SetFilePointer without the high part: the new position, or -1 when the move fails (a
    // negative position); a failed move leaves the pointer where it was.
    virtual std::int64_t SetPointer(Handle file, std::int32_t distance, Origin origin) = 0;
    // GetFileSize: the size in bytes, or -1 when it cannot be told.
    virtual std::int64_t Size(Handle file) = 0;
    // CreateFileMappingW read-only over the whole file, unnamed: kNoHandle on failure (an empty
    // file cannot be mapped).
    virtual Handle CreateMapping(Handle file) = 0;
    // MapViewOfFile for reading, of the whole mapping: null on failure.
    virtual const void* MapView(Handle mapping) = 0;
    // The allocation granularity (GetSystemInfo): what the offset of a part's view must be a
    // multiple of.
    virtual std::uint32_t ViewAlignment() = 0;
    // MapViewOfFile for reading, of `length` bytes of the mapping from `offset`: null on failure,
    // as for an offset that is not a multiple of ViewAlignment() or a part beyond the mapping.
    virtual const void* MapViewPart(Handle mapping, std::uint64_t offset, std::uint32_t length) = 0;
    // UnmapViewOfFile.
    virtual bool UnmapView(const void* view) = 0;
    // CloseHandle, for file and mapping handles alike.
    virtual bool Close(Handle handle) = 0;
};

}  // namespace ombrel::platform
