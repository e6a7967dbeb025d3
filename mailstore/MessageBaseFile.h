#pragma once

#include <cstdint>

#include "mailstore/MessageIndexFile.h"

namespace ombrel {

// The reader of a folder's message base "MESSAGES.TBB" together with its index. Message text is
// handed out as a pointer into the view, never copied.
class CTheBatNBBFile : public CDiskFile {
  public:
    CTheBatNBBFile() = default;
    ~CTheBatNBBFile() override;
    CTheBatNBBFile(const CTheBatNBBFile&) = delete;
    CTheBatNBBFile& operator=(const CTheBatNBBFile&) = delete;

    // Closes the base and its index.
    void Close() override;

    // Opens the folder's index and base (directory ending with a backslash); true when both are
    // usable. On failure both are closed.
    bool OpenBase(const WideString& directory);

    // Message `number` of the index: its text (valid until the base is closed), its size and,
    // when asked, its stored time in seconds since 1970. False, with the base left open, when the
    // message does not read.
    bool ReadMessage(std::uint32_t number, const char** text, std::uint32_t* size,
                     std::int32_t* time = nullptr);

    const CTheBatNBIFile& Index() const { return index_; }

  private:
    CTheBatNBIFile index_;
    std::uint32_t dataStart_ = 0;
};

}  // namespace ombrel
