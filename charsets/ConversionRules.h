#pragma once

#include <string>
#include <string_view>

#include "common/WideString.h"

namespace ombrel {

// Message text reaches UTF-16 in the code page of its charset where the system has one; the
// charsets of OwnCharsets.h are converted by the library itself on every system. What the
// host's own table of that name translates, and a charset that no code page serves, is turned by
// its table (where one matches) into the bytes of a Windows code page and read in the ANSI code
// page; so is text without a charset. UTF-8 and UTF-7 are always read in their own code pages.

// The text of bytes in the charset of a part: its body, or its header text outside encoded
// words, appended to `text`. The tables are found by the charset's whole name.
void CharsetText(const WideString& charset, std::string_view bytes, std::u16string& text);
// The text of a header's bytes outside encoded words in the charset of its part, appended to
// `text`. Where the part names no charset, or us-ascii, 8-bit bytes that are well-formed UTF-8
// are read as UTF-8 (as mail programs now write them), others as CharsetText reads them; a UTF-16
// charset, which no header can be written in, counts as none.
void HeaderCharsetText(const WideString& charset, std::string_view bytes, std::u16string& text);
// The text of the decoded bytes of encoded words whose charset text (the name, then its "?" and
// the rest of the word) is given, appended to `text`. UTF-8 and UTF-7 are known by the beginning of
// the text, a language after the name ("*en") is no part of it, and the tables that no code page
// overrules are found by prefix.
void EncodedWordText(std::string_view charsetText, std::string_view bytes, std::u16string& text);

// Header names, the values of the content headers and body lines compared with boundaries, in the
// ANSI code page of the calling thread; into `text`, replacing what it held (its memory reused).
void ThreadAnsiText(std::string_view bytes, std::u16string& text);

}  // namespace ombrel
