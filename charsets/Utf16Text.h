#pragma once

#include <string>
#include <string_view>

namespace ombrel {

enum class ByteOrder { Unmarked, LittleEndian, BigEndian };

// Appends the text of UTF-16 bytes. A byte-order mark at the start decides the order and is no
// part of the text; without one, an `Unmarked` text is read in the order that puts its zero bytes
// in the high halves of its units (most text has more units below U+0100 than units whose low
// byte is zero), big-endian when that does not tell (RFC 2781). A last odd byte is dropped.
void AppendUtf16Text(std::string_view bytes, ByteOrder order, std::u16string& text);

}  // namespace ombrel
