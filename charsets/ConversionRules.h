#pragma once

#include <cstdint>
#include <string_view>

#include "common/WideString.h"

namespace ombrel {

// Message text reaches UTF-16 through three code pages only: the ANSI code page, UTF-8 and UTF-7.
// Every other charset is first translated by its table into the bytes of a Windows code page.

// The code page of a body in `charset`: 65001 for "utf-8" and 65000 for "utf-7" (whole, any
// case), which are never translated; otherwise the ANSI code page, after translation by name.
std::uint32_t BodyCodePage(const WideString& charset);
// The code page of the decoded bytes of an encoded word whose charset text (the name and what
// follows it) is given: 65001 or 65000 when it begins with "utf-8" or "utf-7" (any case);
// otherwise the ANSI code page, after translation by prefix.
std::uint32_t EncodedWordCodePage(std::string_view charsetText);

// Header names, the values of the content headers and body lines compared with boundaries, in the
// ANSI code page of the calling thread.
WideString ThreadAnsiText(std::string_view bytes);

}  // namespace ombrel
