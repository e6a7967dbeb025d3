#pragma once

#include <cstdint>

#include "mailstore/MessageIndexFile.h"

namespace ombrel {

// The reader of a folder's message base "MESSAGES.TBB" together with its index. Message text is
// handed out as a pointer into the view, never copied. The base is read through a window that
// moves with the reading, so that a base of any size the index can address fits in a 32-bit
// process.
class CTheBatNBBFile : public CDiskFile {
  public:
    static constexpr std::uint64_t kWindowSize = std::uint64_t{64} << 20;

    CTheBatNBBFile() { SetWindowSize(kWindowSize); }
    ~CTheBatNBBFile() override;
    CTheBatNBBFile(const CTheBatNBBFile&) = delete;
    CTheBatNBBFile& operator=(const CTheBatNBBFile&) = delete;

    // Why the last OpenBase failed: the index's answer, or the base's own.
    enum class Opening { kOpened, kIndexNotOpened, kBaseFileNotOpened, kBaseDamaged };

    // Closes the base and its index.
    void Close() override;

    // Opens the folder's index and base (directory ending with a backslash); true when both are
    // usable. On failure both are closed.
    bool OpenBase(const WideString& directory);

    // Message `number` of the index: its text, its size and, when asked, its stored time in
    // seconds since 1970. The text stays valid until the base is closed or the next message is
    // read (which may move the window). False, with the base left open, when the message does not
    // read.
    bool ReadMessage(std::uint32_t number, const char** text, std::uint32_t* size,
                     std::int32_t* time = nullptr);

    const CTheBatNBIFile& Index() const { return index_; }
    Opening LastOpening() const { return opening_; }

    // True when the base or its index changed size since they were opened: the folder was
    // rewritten under the reader (the host compacts bases), so messages that did not read may read
    // in a later pass.
    bool Changed() const { return SizeChanged() || index_.SizeChanged(); }

  private:
    CTheBatNBIFile index_;
    std::uint32_t dataStart_ = 0;
    Opening opening_ = Opening::kIndexNotOpened;
};

}  // namespace ombrel
