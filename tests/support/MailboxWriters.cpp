#include "tests/support/MailboxWriters.h"

#include <cstdio>

namespace ombrel::testing {
namespace {

constexpr std::size_t kBaseHeaderSize = 16;
constexpr std::size_t kIndexTableOffset = 64;
constexpr std::size_t kIndexEntrySize = 32;
constexpr std::size_t kRecordHeaderSize = 48;
constexpr std::uint32_t kFolderListHeaderOffset = 16;
constexpr std::size_t kFolderTableEntrySize = 16;

void PadTo(Bytes& bytes, std::size_t size) {
    if (bytes.size() < size) bytes.resize(size, '\0');
}

// The property entries and the data area of a folder record or of "Account.CFN". The data area
// begins with `lead` bytes that hold no value.
void AppendProperties(Bytes& entries, Bytes& data, const std::vector<Property>& properties,
                      std::size_t lead) {
    data.assign(lead, '\0');
    for (const Property& property : properties) {
        entries += static_cast<char>(property.kind);
        AppendU32(entries, property.id);
        AppendU32(entries, static_cast<std::uint32_t>(data.size()));
        AppendU32(entries, static_cast<std::uint32_t>(property.value.size()));
        data += property.value;
    }
}

Bytes RecordOf(const FolderRecord& folder) {
    Bytes entries;
    Bytes data;
    // One byte behind the values keeps the data size above 0 for a record without values.
    AppendProperties(entries, data, folder.properties, 0);
    data += '\0';
    Bytes record;
    AppendU32(record, kFolderRecordMagic);
    PadTo(record, 32);
    AppendU32(record, static_cast<std::uint32_t>(folder.properties.size()));
    record += entries;
    AppendU32(record, static_cast<std::uint32_t>(data.size()));
    AppendU32(record, 0);
    return record + data;
}

}  // namespace

void AppendU32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

void StoreU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    PadTo(bytes, offset + 4);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t FetchU32(const Bytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
    }
    return value;
}

std::size_t MessageBaseFiles::TableOffset() const {
    return kIndexTableOffset;
}

std::size_t MessageBaseFiles::EntryOffset(std::size_t number) const {
    return kIndexTableOffset + kIndexEntrySize * number;
}

MessageBaseFiles WriteMessageBase(const std::vector<StoredMessage>& messages) {
    MessageBaseFiles files;
    files.dataStart = kBaseHeaderSize;
    AppendU32(files.base, kMessageBaseMagic);
    AppendU32(files.base, files.dataStart);
    PadTo(files.base, kBaseHeaderSize);

    AppendU32(files.index, kMessageIndexMagic);
    AppendU32(files.index, kIndexTableOffset);
    AppendU32(files.index, 0);
    AppendU32(files.index, static_cast<std::uint32_t>(messages.size()));
    PadTo(files.index, kIndexTableOffset);

    for (std::size_t number = 0; number < messages.size(); ++number) {
        const StoredMessage& message = messages[number];
        const auto size = static_cast<std::uint32_t>(message.text.size());
        const std::size_t record = files.base.size();
        files.records.push_back(record);
        AppendU32(files.base, kMessageRecordMagic);
        AppendU32(files.base, static_cast<std::uint32_t>(number));
        AppendU32(files.base, 0);
        AppendU32(files.base, static_cast<std::uint32_t>(message.time));
        PadTo(files.base, record + 36);
        AppendU32(files.base, size);
        PadTo(files.base, record + kRecordHeaderSize);
        files.base += message.text;
        // The host keeps records four-byte aligned.
        PadTo(files.base, (files.base.size() + 3) / 4 * 4);

        AppendU32(files.index, static_cast<std::uint32_t>(number + 1));
        AppendU32(files.index, static_cast<std::uint32_t>(record - files.dataStart));
        AppendU32(files.index, 0);
        AppendU32(files.index, message.status);
        PadTo(files.index, files.EntryOffset(number) + 28);
        AppendU32(files.index, size);
    }
    return files;
}

FolderRecord Folder(std::uint32_t id, const std::string& name, const std::string& children,
                    const std::string& directory) {
    // Every record names itself, the root with an empty value.
    FolderRecord folder{id, {{kFolderNameProperty, name}}, 0};
    if (!directory.empty()) folder.properties.push_back({kFolderDirectoryProperty, directory});
    if (!children.empty()) folder.properties.push_back({kFolderChildrenProperty, children});
    return folder;
}

std::string ChildIds(const std::vector<std::uint32_t>& ids) {
    std::string text;
    for (const std::uint32_t id : ids) {
        char group[16];
        std::snprintf(group, sizeof group, "%05x", id);
        text += group;
    }
    return text;
}

std::size_t FolderListFile::TableEntryOffset(std::size_t entry) const {
    return headerOffset + 32 + kFolderTableEntrySize * entry;
}

FolderListFile WriteFolderList(const std::vector<FolderRecord>& records) {
    FolderListFile list;
    list.headerOffset = kFolderListHeaderOffset;
    AppendU32(list.bytes, kFolderListMagic);
    AppendU32(list.bytes, list.headerOffset);
    PadTo(list.bytes, list.headerOffset);
    AppendU32(list.bytes, kFolderListHeaderMagic);
    AppendU32(list.bytes, 0);
    AppendU32(list.bytes, static_cast<std::uint32_t>(records.size()));
    PadTo(list.bytes, list.TableEntryOffset(records.size()));

    for (std::size_t entry = 0; entry < records.size(); ++entry) {
        const std::size_t record = list.bytes.size();
        list.records.push_back(record);
        list.bytes += RecordOf(records[entry]);
        const std::size_t at = list.TableEntryOffset(entry);
        StoreU32(list.bytes, at, records[entry].id);
        StoreU32(list.bytes, at + 4, records[entry].freeMarker);
        StoreU32(list.bytes, at + 12, static_cast<std::uint32_t>(record - list.headerOffset));
    }
    return list;
}

Bytes WriteAccountConfig(const std::vector<Property>& properties) {
    Bytes entries;
    Bytes data;
    // Values never start the data area: a value at offset 0 would not be read.
    AppendProperties(entries, data, properties, 4);
    Bytes config;
    AppendU32(config, static_cast<std::uint32_t>(properties.size()));
    config += entries;
    AppendU32(config, 0);
    AppendU32(config, 0);
    return config + data;
}

}  // namespace ombrel::testing
