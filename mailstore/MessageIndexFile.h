#pragma once

#include <cstdint>

#include "mailstore/DiskFile.h"

namespace ombrel {

// One entry of a folder's message index.
struct IndexEntry {
    std::uint32_t recordOffset = 0;  // of the message's record, from the base's data start
    std::uint32_t status = 0;        // bit 0: not to be indexed; bit 1: reported in "mail_flags"
    std::uint32_t messageSize = 0;   // of the message text
};

// The reader of a folder's message index "MESSAGES.TBI": a table of 32-byte entries, read in place
// from the view.
class CTheBatNBIFile : public CDiskFile {
  public:
    static constexpr std::uint32_t kStatusNotIndexed = 0x1;
    static constexpr std::uint32_t kStatusFlagged = 0x2;

    // Why the last OpenIndex failed (or that it did not).
    enum class Opening { kOpened, kFileNotOpened, kNoEntries, kDamaged };

    CTheBatNBIFile() = default;
    ~CTheBatNBIFile() override;
    CTheBatNBIFile(const CTheBatNBIFile&) = delete;
    CTheBatNBIFile& operator=(const CTheBatNBIFile&) = delete;

    // Closes the file and clears the table.
    void Close() override;

    // Opens "MESSAGES.TBI" in the folder directory (which ends with a backslash). Fails, leaving
    // the reader closed, on a wrong magic, a zero table offset or entry count, or a table that
    // reaches beyond the end of the file.
    bool OpenIndex(const WideString& directory);

    Opening LastOpening() const { return opening_; }
    std::uint32_t Count() const { return count_; }
    // Entry `number` (from 0); all zeros when the number is not below Count().
    IndexEntry Entry(std::uint32_t number) const;

  private:
    const std::uint8_t* table_ = nullptr;
    std::uint32_t count_ = 0;
    Opening opening_ = Opening::kFileNotOpened;
};

}  // namespace ombrel
