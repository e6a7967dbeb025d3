#include "mime/MessageCursor.h"

#include <algorithm>

namespace ombrel {
namespace {

struct LineEnd {
    const char* begin;  // the line end's first byte; null when the text ends first
    const char* after;  // the first byte after it
};

LineEnd FindLineEnd(const char* from, const char* end) {
    const char* at = std::find_if(from, end, [](char c) { return c == '\r' || c == '\n'; });
    if (at == end) return {nullptr, nullptr};
    return {at, at + LineEndLength(std::string_view(at, static_cast<std::size_t>(end - at)), 0)};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

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
    if (lineEnd.begin == cursor.position) {
        cursor.position = lineEnd.after;
        return HeaderRead::EmptyLine;
    }
    while (lineEnd.after < cursor.end && IsBlank(*lineEnd.after)) {
        lineEnd = FindLineEnd(lineEnd.after, cursor.end);
        if (lineEnd.begin == nullptr) return HeaderRead::NoHeader;
    }
    header = std::string_view(cursor.position,
                              static_cast<std::size_t>(lineEnd.begin - cursor.position));
    cursor.position = lineEnd.after;
    return HeaderRead::Header;
}

}  // namespace ombrel
