#include "mailstore/AccountConfig.h"

#include <array>
#include <string_view>

#include "mailstore/DiskFile.h"
#include "mailstore/PropertyEntry.h"
#include "platform/AnsiText.h"

namespace ombrel {
namespace {

constexpr std::uint32_t kAddressProperty = 0x8159;
constexpr std::uint32_t kSecondProperty = 0x818E;
constexpr std::uint32_t kValueBufferSize = 260;

// Where a value lies in the data area.
struct ValuePlace {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// The value at its place in the data area, or empty when it is absent, too long for the buffer or
// not all in the file.
WideString ReadValue(CDiskFile& file, std::uint64_t dataArea, ValuePlace place) {
    if (place.offset == 0 || place.length == 0 || place.length > kValueBufferSize) return {};
    std::array<char, kValueBufferSize> buffer{};
    const auto length = static_cast<std::int32_t>(place.length);
    if (!file.ReadAt(dataArea + place.offset, buffer.data(), length)) return {};
    return FromAnsi(std::string_view(buffer.data(), place.length));
}

}  // namespace

bool ReadAccountConfig(const WideString& directory, WideString& address, WideString& secondValue) {
    address = WideString();
    secondValue = WideString();
    CDiskFile file;
    if (!file.Open(directory + u"Account.CFN", false)) return false;

    std::uint8_t countField[4];
    if (file.Read(countField, sizeof countField) != 4 || LoadI32(countField) <= 0) return true;
    const auto count = static_cast<std::uint32_t>(LoadI32(countField));

    ValuePlace addressPlace;
    ValuePlace secondPlace;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t bytes[PropertyEntry::kSize];
        if (file.Read(bytes, sizeof bytes) != static_cast<std::int32_t>(sizeof bytes)) return false;
        const PropertyEntry entry = PropertyEntry::From(bytes);
        if (entry.kind == 0 && entry.id == kSecondProperty) {
            secondPlace = {entry.valueOffset, entry.valueLength};
        } else if (entry.kind == 0 && entry.id == kAddressProperty) {
            addressPlace = {entry.valueOffset, entry.valueLength};
        }
        if (addressPlace.offset != 0 && secondPlace.offset != 0) break;
    }

    const std::uint64_t dataArea = 12 + PropertyEntry::kSize * count;
    address = ReadValue(file, dataArea, addressPlace);
    secondValue = ReadValue(file, dataArea, secondPlace);
    return true;
}

}  // namespace ombrel
