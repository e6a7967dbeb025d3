#include "charsets/OwnCharsets.h"

#include <algorithm>

#include "charsets/Iso2022Jp.h"
#include "charsets/Utf16Text.h"
#include "common/TextCompare.h"

namespace ombrel {
namespace {

struct OwnCharsetName {
    std::string_view name;
    OwnCharset charset;
};

constexpr OwnCharsetName kNames[] = {
    {"iso-2022-jp", OwnCharset::Iso2022Jp},
    {"iso-2022-jp-1", OwnCharset::Iso2022Jp},
    {"iso-2022-jp-2", OwnCharset::Iso2022Jp},
    {"iso-2022-jp-3", OwnCharset::Iso2022Jp},
    {"iso-2022-jp-2004", OwnCharset::Iso2022Jp},
    {"csiso2022jp", OwnCharset::Iso2022Jp},
    {"utf-16", OwnCharset::Utf16},
    {"utf16", OwnCharset::Utf16},
    {"utf-16le", OwnCharset::Utf16LittleEndian},
    {"utf-16be", OwnCharset::Utf16BigEndian},
    {"ucs-2", OwnCharset::Utf16},
};

}  // namespace

OwnCharset FindOwnCharset(std::string_view name) {
    const auto* found = std::ranges::find_if(
        kNames, [&](const OwnCharsetName& entry) { return EqualsIgnoringCase(entry.name, name); });
    return found != std::end(kNames) ? found->charset : OwnCharset::None;
}

OwnCharset FindOwnCharset(std::u16string_view name) {
    constexpr std::size_t kLongest = 16;
    if (name.size() > kLongest ||
        std::ranges::any_of(name, [](char16_t unit) { return unit >= 0x80; })) {
        return OwnCharset::None;
    }
    return FindOwnCharset(std::string(name.begin(), name.end()));
}

void AppendOwnCharsetText(OwnCharset charset, std::string_view bytes, std::u16string& text) {
    switch (charset) {
        case OwnCharset::Iso2022Jp:
            AppendIso2022JpText(bytes, text);
            break;
        case OwnCharset::Utf16:
            AppendUtf16Text(bytes, ByteOrder::Unmarked, text);
            break;
        case OwnCharset::Utf16LittleEndian:
            AppendUtf16Text(bytes, ByteOrder::LittleEndian, text);
            break;
        case OwnCharset::Utf16BigEndian:
            AppendUtf16Text(bytes, ByteOrder::BigEndian, text);
            break;
        case OwnCharset::None:
            break;
    }
}

bool IsUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        // The length of the sequence and the range of its second byte, which rules out overlong
        // forms, surrogates and units above U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - at < length) return false;
        for (std::size_t next = 1; next < length; ++next) {
            const auto byte = static_cast<unsigned char>(bytes[at + next]);
            if (byte < (next == 1 ? low : 0x80) || byte > (next == 1 ? high : 0xBF)) return false;
        }
        at += length;
    }
    return true;
}

}  // namespace ombrel
