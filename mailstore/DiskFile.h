#pragma once

#include <cstdint>

#include "common/WideString.h"
#include "platform/DiskFiles.h"

namespace ombrel {

// A file of the host, open for reading (sharing read access only) and, when asked, mapped
// read-only: whole, or through a window, a view of bounded size that moves to where the file is
// read, so that a file larger than the free address space can be read all the same. The file
// pointer (Read, Seek, Tell) and the view are two independent ways into the same file. Nothing here
// throws; failures answer false, 0, -1 or null.
class CDiskFile {
  public:
    CDiskFile() = default;
    virtual ~CDiskFile();
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    // Opens the file, and with `map` also maps a view of the whole file, or the window at its
    // start; a failed mapping closes the file again.
    virtual bool Open(const WideString& path, bool map);
    // Unmaps the view, closes the mapping, then the file; safe on a closed file.
    virtual void Close();
    // Reads `count` bytes at the file pointer: the count read, 0 on any failure.
    virtual std::int32_t Read(void* buffer, std::int32_t count);
    virtual bool IsOpen() const;

    // Moves the file pointer to the absolute offset; answers the offset asked for, -1 when closed.
    std::int32_t Seek(std::int32_t offset);
    // The file pointer's position, -1 when closed.
    std::int32_t Tell();
    // The `length` bytes at `offset` in the view, or null when the file is not mapped or does not
    // hold them all. Through a window, the bytes stay valid until the window moves: until the
    // next call that asks for bytes outside it.
    const std::uint8_t* ViewAt(std::uint64_t offset, std::uint64_t length = 0);
    // Maps the files opened from now on through a window of `size` bytes; 0 maps them whole. A
    // range larger than the window gets a view of its own.
    void SetWindowSize(std::uint64_t size) { windowSize_ = size; }
    // Reads `count` bytes at the absolute offset through the file pointer; false unless the file
    // holds them all there and all were read.
    bool ReadAt(std::uint64_t offset, void* buffer, std::int32_t count);
    // The file's size when it was opened; 0 when closed.
    std::uint64_t Size() const { return size_; }
    // True when the open file's size is no longer the one it had when it was opened: another
    // program shortened or rewrote it (Windows keeps writers out while it is open, POSIX does
    // not), and what is read of it from now on may not match what was read before.
    bool SizeChanged() const;

  private:
    // True when the file holds `length` bytes at `offset` within reach of the file pointer.
    bool Holds(std::uint64_t offset, std::uint64_t length) const;
    bool InView(std::uint64_t offset, std::uint64_t length) const;
    // Moves the window so that it holds the range, which the file holds; false when that view
    // cannot be mapped.
    bool MoveWindow(std::uint64_t offset, std::uint64_t length);
    void Unmap();

    platform::DiskFiles::Handle file_ = platform::DiskFiles::kInvalidHandle;
    platform::DiskFiles::Handle mapping_ = platform::DiskFiles::kNoHandle;
    const std::uint8_t* view_ = nullptr;
    std::uint64_t viewOffset_ = 0;  // of the view's first byte in the file
    std::uint64_t viewLength_ = 0;
    std::uint64_t windowSize_ = 0;          // 0: mapped whole
    platform::DiskFiles* files_ = nullptr;  // the port the file was opened through
    std::uint64_t size_ = 0;
};

}  // namespace ombrel
