#include "mailstore/MessageBaseFile.h"

#include "mailstore/LittleEndian.h"

namespace ombrel {
namespace {

constexpr std::uint32_t kBaseMagic = 0x19790620;
constexpr std::uint32_t kRecordMagic = 0x19700921;
constexpr std::uint64_t kRecordHeaderSize = 48;

}  // namespace

CTheBatNBBFile::~CTheBatNBBFile() {
    CTheBatNBBFile::Close();
}

void CTheBatNBBFile::Close() {
    index_.Close();
    CDiskFile::Close();
}

bool CTheBatNBBFile::OpenBase(const WideString& directory) {
    const WideString path = directory + u"MESSAGES.TBB";
    opening_ = Opening::kIndexNotOpened;
    if (index_.OpenIndex(directory)) {
        opening_ = Opening::kBaseFileNotOpened;
        if (Open(path, true)) opening_ = Opening::kBaseDamaged;
    }
    if (opening_ == Opening::kBaseDamaged) {
        std::uint8_t field[4];
        if (ReadAt(0, field, sizeof field) && LoadU32(field) == kBaseMagic &&
            ReadAt(4, field, sizeof field)) {
            dataStart_ = LoadU32(field);
            // Through the view: the data may start beyond the file pointer's reach.
            const std::uint8_t* first = ViewAt(dataStart_, sizeof field);
            if (first != nullptr && LoadU32(first) == kRecordMagic) {
                opening_ = Opening::kOpened;
                return true;
            }
        }
    }
    Close();
    return false;
}

bool CTheBatNBBFile::ReadMessage(std::uint32_t number, const char** text, std::uint32_t* size,
                                 std::int32_t* time) {
    if (number >= index_.Count() || text == nullptr || size == nullptr || !IsOpen()) return false;
    *text = nullptr;
    const IndexEntry entry = index_.Entry(number);
    const std::uint64_t record = std::uint64_t{dataStart_} + entry.recordOffset;

    // The record header and the text from the view in one piece: no system call per message.
    const std::uint8_t* header =
        ViewAt(record, kRecordHeaderSize + std::uint64_t{entry.messageSize});
    if (header == nullptr || LoadU32(header) != kRecordMagic) return false;
    if (LoadU32(header + 36) != entry.messageSize) return false;

    *text = reinterpret_cast<const char*>(header + kRecordHeaderSize);
    if (time != nullptr) *time = LoadI32(header + 12);
    *size = entry.messageSize;
    return true;
}

}  // namespace ombrel
