#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writers of the host's mailbox files, laid out as the host lays them out: message bases and
// their indexes, folder lists and account settings. Tests and the sample-store generator build
// their files with them; tests damage the results at the offsets these writers report.
namespace ombrel::testing {

// The bytes of one file.
using Bytes = std::string;

void AppendU32(Bytes& bytes, std::uint32_t value);
void StoreU32(Bytes& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t FetchU32(const Bytes& bytes, std::size_t offset);

inline constexpr std::uint32_t kMessageIndexMagic = 0x19470101;
inline constexpr std::uint32_t kMessageBaseMagic = 0x19790620;
inline constexpr std::uint32_t kMessageRecordMagic = 0x19700921;
inline constexpr std::uint32_t kFolderListMagic = 0xAB125A5A;
inline constexpr std::uint32_t kFolderListHeaderMagic = 0xBDCEECDB;
inline constexpr std::uint32_t kFolderRecordMagic = 0x19FEEF91;

inline constexpr std::uint32_t kFolderNameProperty = 213;
inline constexpr std::uint32_t kFolderDirectoryProperty = 209;
inline constexpr std::uint32_t kFolderChildrenProperty = 242;
inline constexpr std::uint32_t kAccountAddressProperty = 0x8159;
inline constexpr std::uint32_t kAccountSecondProperty = 0x818E;

// One message as the host stores it.
struct StoredMessage {
    std::string text;
    std::int32_t time = 0;  // seconds since 1970
    std::uint32_t status = 0;
};

// A folder's "MESSAGES.TBB" and "MESSAGES.TBI", with where their parts lie.
struct MessageBaseFiles {
    Bytes base;
    Bytes index;
    std::uint32_t dataStart = 0;
    std::vector<std::size_t> records;  // offset in the base of each message's record
    std::size_t TableOffset() const;
    std::size_t EntryOffset(std::size_t number) const;  // in the index
};

MessageBaseFiles WriteMessageBase(const std::vector<StoredMessage>& messages);

// A property of a folder record or of "Account.CFN".
struct Property {
    std::uint32_t id = 0;
    std::string value;  // ANSI text, not terminated
    std::uint8_t kind = 0;
};

// A folder-table entry with its record.
struct FolderRecord {
    std::uint32_t id = 0;
    std::vector<Property> properties;
    std::uint32_t freeMarker = 0;
};

// A folder record with the usual properties: the name always, directory and children when not
// empty.
FolderRecord Folder(std::uint32_t id, const std::string& name, const std::string& children = "",
                    const std::string& directory = "");
// The children property text of folder ids: five hexadecimal digits each.
std::string ChildIds(const std::vector<std::uint32_t>& ids);

// An "ACCOUNT.FLB", with where its parts lie.
struct FolderListFile {
    Bytes bytes;
    std::uint32_t headerOffset = 0;
    std::vector<std::size_t> records;  // offset in the file of each record
    std::size_t TableEntryOffset(std::size_t entry) const;
};

FolderListFile WriteFolderList(const std::vector<FolderRecord>& records);

// An "Account.CFN" holding the properties.
Bytes WriteAccountConfig(const std::vector<Property>& properties);

}  // namespace ombrel::testing
