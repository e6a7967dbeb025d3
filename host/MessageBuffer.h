#pragma once

#include <cstdint>
#include <memory>

#include "platform/PageFileMemory.h"

namespace ombrel {

// The bytes of one incoming message for the length of one call: on the heap up to kHeapLimit
// bytes, in page-file-backed memory above, so that large messages do not fragment the host's
// heap.
class MessageBuffer {
  public:
    static constexpr std::uint32_t kHeapLimit = 102400;

    MessageBuffer() = default;
    ~MessageBuffer() { Release(); }
    MessageBuffer(const MessageBuffer&) = delete;
    MessageBuffer& operator=(const MessageBuffer&) = delete;

    // Obtains `length` bytes (more than 0), releasing what was held; false when none can be had.
    bool Obtain(std::uint32_t length);
    // Unmaps and closes the mapping or frees the heap block, and empties every field.
    void Release();

    char* Data() const { return data_; }
    std::uint32_t Length() const { return length_; }
    bool IsMapped() const { return mapping_ != nullptr; }

  private:
    std::unique_ptr<char[]> heap_;
    std::unique_ptr<platform::PageFileBlock> mapping_;
    char* data_ = nullptr;
    std::uint32_t length_ = 0;
};

}  // namespace ombrel
