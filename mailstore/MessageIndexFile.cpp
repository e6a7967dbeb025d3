#include "mailstore/MessageIndexFile.h"

#include "mailstore/LittleEndian.h"

namespace ombrel {
namespace {

constexpr std::uint32_t kIndexMagic = 0x19470101;
constexpr std::uint64_t kEntrySize = 32;
constexpr std::int32_t kHeaderSize = 32;  // read behind the magic

}  // namespace

CTheBatNBIFile::~CTheBatNBIFile() {
    CTheBatNBIFile::Close();
}

void CTheBatNBIFile::Close() {
    table_ = nullptr;
    count_ = 0;
    CDiskFile::Close();
}

bool CTheBatNBIFile::OpenIndex(const WideString& directory) {
    const WideString path = directory + u"MESSAGES.TBI";
    Close();
    opening_ = Opening::kFileNotOpened;
    if (!Open(path, true)) return false;

    opening_ = Opening::kDamaged;
    std::uint8_t magic[4];
    std::uint8_t header[kHeaderSize];
    if (ReadAt(0, magic, sizeof magic) && LoadU32(magic) == kIndexMagic &&
        ReadAt(4, header, kHeaderSize)) {
        const std::uint32_t tableOffset = LoadU32(header);
        const std::uint32_t count = LoadU32(header + 8);
        if (tableOffset != 0 && count != 0) table_ = ViewAt(tableOffset, kEntrySize * count);
        if (table_ != nullptr) count_ = count;
        if (count == 0) opening_ = Opening::kNoEntries;
    }
    if (table_ == nullptr) Close();
    if (table_ != nullptr) opening_ = Opening::kOpened;
    return table_ != nullptr;
}

IndexEntry CTheBatNBIFile::Entry(std::uint32_t number) const {
    if (table_ == nullptr || number >= count_) return {};
    const std::uint8_t* entry = table_ + kEntrySize * number;
    return {LoadU32(entry + 4), LoadU32(entry + 12), LoadU32(entry + 28)};
}

}  // namespace ombrel
