#include "mime/MessageCursor.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace ombrel {
namespace {

struct LineEnd {
    const char* begin;  // the line end's first byte; null when the text ends first
    const char* after;  // the first byte after it
};

static_assert(std::endian::native == std::endian::little);

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Bit 7 of each byte of the word set where `word` holds `byte`. A false mark can only stand
// above (after) a true one, so the lowest mark is always true.
std::uint64_t BytesEqual(std::uint64_t word, unsigned char byte) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighs = 0x8080808080808080;
    const std::uint64_t zeroWhereEqual = word ^ (kOnes * byte);
    return (zeroWhereEqual - kOnes) & ~zeroWhereEqual & kHighs;
}

// The first CR or LF in [from, end), or `end`: eight bytes at a time (the first byte in memory is
// the lowest of the word), which every processor the library runs on does in a few instructions,
// then byte by byte for the rest.
const char* FindLineBreak(const char* from, const char* end) {
    for (std::uint64_t word; end - from >= 8; from += 8) {
        std::memcpy(&word, from, sizeof word);
        const std::uint64_t marks = BytesEqual(word, '\r') | BytesEqual(word, '\n');
        if (marks != 0) return from + std::countr_zero(marks) / 8;
    }
    return std::find_if(from, end, IsLineBreak);
}

LineEnd FindLineEnd(const char* from, const char* end) {
    const char* at = FindLineBreak(from, end);
    if (at == end) return {nullptr, nullptr};
    return {at, at + LineEndLength(std::string_view(at, static_cast<std::size_t>(end - at)), 0)};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// An empty line, or one of blanks only.
bool IsBlankLine(const char* begin, const char* end) {
    return std::all_of(begin, end, IsBlank);
}

}  // namespace

std::size_t FieldNameLength(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || line.starts_with("--")) return std::string_view::npos;
    const bool named = std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(colon),
                                   [](char c) { return c > ' ' && c < 0x7F; });
    return named ? colon : std::string_view::npos;
}

std::size_t LineEndLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    if (text[at] == '\r') return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    return text[at] == '\n' ? 1 : 0;
}

bool ReadLine(MessageCursor& cursor, std::string_view& line) {
    const LineEnd lineEnd = FindLineEnd(cursor.position, cursor.end);
    if (lineEnd.begin == nullptr) return false;
    line = std::string_view(cursor.position,
                            static_cast<std::size_t>(lineEnd.begin - cursor.position));
    cursor.position = lineEnd.after;
    return true;
}

HeaderRead ReadHeader(MessageCursor& cursor, std::string_view& header) {
    LineEnd lineEnd = FindLineEnd(cursor.position, cursor.end);
    if (lineEnd.begin == nullptr) return HeaderRead::NoHeader;
    if (IsBlankLine(cursor.position, lineEnd.begin)) {
        cursor.position = lineEnd.after;
        return HeaderRead::EmptyLine;
    }
    while (lineEnd.after < cursor.end && IsBlank(*lineEnd.after)) {
        const LineEnd next = FindLineEnd(lineEnd.after, cursor.end);
        if (next.begin == nullptr) return HeaderRead::NoHeader;
        // A line of blanks goes on in the header only where a continuation line or another
        // header follows it; else it stands where the empty line should, and ends the block.
        const std::string_view following(next.after,
                                         static_cast<std::size_t>(cursor.end - next.after));
        const bool continued = following.starts_with(' ') || following.starts_with('\t') ||
                               FieldNameLength(following.substr(
                                   0, following.find_first_of("\r\n"))) != std::string_view::npos;
        if (IsBlankLine(lineEnd.after, next.begin) && !continued) break;
        lineEnd = next;
    }
    header = std::string_view(cursor.position,
                              static_cast<std::size_t>(lineEnd.begin - cursor.position));
    cursor.position = lineEnd.after;
    return HeaderRead::Header;
}

}  // namespace ombrel
