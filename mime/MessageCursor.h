#pragma once

#include <cstddef>
#include <string_view>

namespace ombrel {

struct ParseBuffers;

// The read position of one parse in the message text, shared by the parts of that parse: each
// part's parse starts where the cursor stands and leaves it after the last line it consumed. The
// parse's buffers go with it.
struct MessageCursor {
    const char* position;
    const char* end;
    ParseBuffers* buffers;

    bool AtEnd() const { return position == end; }
};

// A line ends with CR LF, a bare LF or a bare CR; the line end is not part of the line.

// The length of the line end that begins at `at`: 2 for CR LF, 1 for a bare LF or CR, else 0.
std::size_t LineEndLength(std::string_view text, std::size_t at);

// Reads the line at the cursor and moves past its line end. At the end of the text, or before a
// last line without a line end, there is no further line: false, and the cursor stays.
bool ReadLine(MessageCursor& cursor, std::string_view& line);

// Where the colon after the name of a header field stands in a line that begins one: a name of
// printable characters other than blanks and ":" (not "--", which begins delimiters), then ":".
// npos for any other line.
std::size_t FieldNameLength(std::string_view line);

// One header of the header block, with its continuation lines.
enum class HeaderRead {
    Header,     // `header` holds its text, folded line ends included, without the final line end
    EmptyLine,  // the empty (or blanks-only) line that ends the header block, consumed
    NoHeader,   // the text ends before the header's final line end; the cursor stays
};

// Reads the header at the cursor: a line followed by a line that begins with a blank goes on in
// it, unless that line holds only blanks and neither such a line nor a header field follows it. The
// cursor moves past the header's final line end, or past the empty line.
HeaderRead ReadHeader(MessageCursor& cursor, std::string_view& header);

}  // namespace ombrel
