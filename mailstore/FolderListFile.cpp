#include "mailstore/FolderListFile.h"

#include <string_view>

#include "mailstore/LittleEndian.h"
#include "mailstore/PropertyEntry.h"
#include "platform/AnsiText.h"

namespace ombrel {
namespace {

constexpr std::uint32_t kListMagic = 0xAB125A5A;
constexpr std::uint32_t kHeaderMagic = 0xBDCEECDB;
constexpr std::uint32_t kRecordMagic = 0x19FEEF91;
constexpr std::int32_t kHeaderSize = 32;
constexpr std::int32_t kRecordHeaderSize = 36;
constexpr std::uint64_t kTableEntrySize = 16;

constexpr std::uint32_t kNameProperty = 213;
constexpr std::uint32_t kDirectoryProperty = 209;
constexpr std::uint32_t kChildrenProperty = 242;

// The string that a property id fills, or null for ids that are not used.
WideString* Target(std::uint32_t id, WideString& name, WideString& directory,
                   WideString& children) {
    switch (id) {
        case kNameProperty:
            return &name;
        case kDirectoryProperty:
            return &directory;
        case kChildrenProperty:
            return &children;
        default:
            return nullptr;
    }
}

}  // namespace

CTheBatZZFile::~CTheBatZZFile() {
    CTheBatZZFile::Close();
}

bool CTheBatZZFile::OpenFolderList(const WideString& path) {
    table_ = nullptr;
    count_ = 0;
    if (!Open(path, true)) return false;

    std::uint8_t field[4];
    std::uint8_t header[kHeaderSize];
    if (ReadAt(0, field, sizeof field) && LoadU32(field) == kListMagic &&
        ReadAt(4, field, sizeof field)) {
        const std::uint32_t headerOffset = LoadU32(field);
        if (ReadAt(headerOffset, header, kHeaderSize) && LoadU32(header) == kHeaderMagic) {
            const std::uint32_t count = LoadU32(header + 8);
            const std::uint64_t tableOffset = std::uint64_t{headerOffset} + kHeaderSize;
            if (count != 0) table_ = ViewAt(tableOffset, kTableEntrySize * count);
            count_ = count;
            headerOffset_ = headerOffset;
        }
    }
    if (table_ != nullptr) {
        for (std::uint32_t entry = 0; entry < count_; ++entry) {
            WideString name;
            WideString directory;
            WideString children;
            if (ReadFolderRecord(entry, name, directory, children) && name.IsEmpty()) {
                rootName_ = name;
                rootDirectory_ = directory;
                rootChildren_ = children;
                rootEntry_ = entry;
                return true;
            }
        }
    }
    table_ = nullptr;
    count_ = 0;
    Close();
    return false;
}

bool CTheBatZZFile::ReadFolderRecord(std::uint32_t entry, WideString& name, WideString& directory,
                                     WideString& children) {
    // The table lies in the view, which exists only while the file is open.
    if (table_ == nullptr || !IsOpen() || entry >= count_) return false;
    const std::uint8_t* tableEntry = table_ + kTableEntrySize * entry;
    if (LoadU32(tableEntry + 4) != 0) return false;

    const std::uint64_t record = std::uint64_t{headerOffset_} + LoadU32(tableEntry + 12);
    std::uint8_t header[kRecordHeaderSize];
    if (!ReadAt(record, header, kRecordHeaderSize) || LoadU32(header) != kRecordMagic) return false;
    const std::uint32_t propertyCount = LoadU32(header + 32);
    const std::uint64_t entriesOffset = record + kRecordHeaderSize;
    const std::uint8_t* entries = ViewAt(entriesOffset, PropertyEntry::kSize * propertyCount);
    if (entries == nullptr || propertyCount == 0) return false;

    const std::uint64_t sizesOffset = entriesOffset + PropertyEntry::kSize * propertyCount;
    std::uint8_t sizes[8];
    if (!ReadAt(sizesOffset, sizes, sizeof sizes) || LoadU32(sizes) == 0) return false;
    const std::uint64_t dataOffset = sizesOffset + sizeof sizes;
    if (ViewAt(dataOffset) == nullptr) return false;

    for (std::uint32_t i = 0; i < propertyCount; ++i) {
        const PropertyEntry property = PropertyEntry::From(entries + PropertyEntry::kSize * i);
        WideString* target = Target(property.id, name, directory, children);
        if (property.kind != 0 || target == nullptr || property.valueLength == 0) continue;
        // A value that reaches outside the file is passed over like an unusable one.
        const std::uint8_t* value = ViewAt(dataOffset + property.valueOffset, property.valueLength);
        if (value == nullptr) continue;
        WideString text =
            FromAnsi(std::string_view(reinterpret_cast<const char*>(value), property.valueLength));
        // The conversion has room for as many characters as the value has bytes.
        if (!text.IsEmpty() && static_cast<std::uint64_t>(text.Length()) <= property.valueLength) {
            *target = std::move(text);
        }
    }
    return true;
}

std::uint32_t CTheBatZZFile::FolderId(std::uint32_t entry) const {
    if (table_ == nullptr || entry >= Count()) return 0;
    return LoadU32(table_ + kTableEntrySize * entry);
}

}  // namespace ombrel
