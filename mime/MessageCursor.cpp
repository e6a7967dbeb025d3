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
    const bool crlf = *at == '\r' && at + 1 < end && at[1] == '\n';
    return {at, at + (crlf ? 2 : 1)};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

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
