#include "platform/posix/Utf8Conversion.h"

namespace ombrel::platform::posix {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The number of continuation bytes that a lead byte announces; 0 for a byte that leads nothing.
std::size_t ContinuationCount(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return 0;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// Decodes the sequence whose lead byte stands at `at` and whose continuation bytes are all in
// the input. Each continuation byte is taken only while the value it builds can still become a
// valid, shortest encoding: a sequence that turns invalid ends at the bytes taken so far, and the
// next byte starts afresh. Returns the code point, or U+FFFD, and moves `at` past what it took.
char32_t DecodeSequence(std::string_view bytes, std::size_t& at, std::size_t count) {
    const auto lead = static_cast<unsigned char>(bytes[at++]);
    char32_t value = lead & (0x7F >> (count + 1));
    for (std::size_t remaining = count; remaining > 0; --remaining) {
        const auto next = static_cast<unsigned char>(bytes[at]);
        if (!IsContinuation(next)) return kReplacement;
        value = (value << 6) | (next & 0x3F);
        if (remaining == 2 && value >= (0x110000 >> 6)) return kReplacement;
        ++at;
        if (remaining == 3 && value < 0x10) return kReplacement;  // overlong four-byte form
        if (remaining == 2 && (value < 0x20 || (value >= (0xD800 >> 6) && value <= (0xDFFF >> 6))))
            return kReplacement;  // overlong three-byte form or a surrogate
        if (remaining == 1 && value < 0x80) return kReplacement;
    }
    return value;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

void Utf8ToWide(std::string_view bytes, std::u16string& out) {
    out.reserve(out.size() + bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const std::size_t count = ContinuationCount(lead);
        if (lead < 0x80) {
            out.push_back(lead);
            ++at;
        } else if (count == 0) {
            out.push_back(kReplacement);
            ++at;
        } else if (at + count >= bytes.size()) {
            out.push_back(kReplacement);  // cut by the end of the input
            at = bytes.size();
        } else {
            AppendCodePoint(out, DecodeSequence(bytes, at, count));
        }
    }
}

std::string WideToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        const bool high = cp >= 0xD800 && cp <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace ombrel::platform::posix
