#include "charsets/Utf16Text.h"

namespace ombrel {
namespace {

// The order of unmarked text by where its zero bytes stand, from the first units.
ByteOrder GuessedOrder(std::string_view bytes) {
    constexpr std::size_t kLooked = 4096;
    std::size_t evenZeros = 0;
    std::size_t oddZeros = 0;
    for (std::size_t at = 0; at + 1 < bytes.size() && at < kLooked; at += 2) {
        evenZeros += bytes[at] == '\0';
        oddZeros += bytes[at + 1] == '\0';
    }
    return oddZeros > evenZeros ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
}

}  // namespace

void AppendUtf16Text(std::string_view bytes, ByteOrder order, std::u16string& text) {
    const bool littleMark = bytes.starts_with("\xFF\xFE");
    const bool bigMark = bytes.starts_with("\xFE\xFF");
    if ((littleMark && order != ByteOrder::BigEndian) ||
        (bigMark && order != ByteOrder::LittleEndian)) {
        order = littleMark ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
        bytes.remove_prefix(2);
    } else if (order == ByteOrder::Unmarked) {
        order = GuessedOrder(bytes);
    }
    const std::size_t high = order == ByteOrder::BigEndian ? 0 : 1;
    text.reserve(text.size() + bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto highByte = static_cast<unsigned char>(bytes[at + high]);
        const auto lowByte = static_cast<unsigned char>(bytes[at + 1 - high]);
        text += static_cast<char16_t>(highByte << 8 | lowByte);
    }
}

}  // namespace ombrel
