#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/posix/CodePageTable.h"

namespace ombrel::platform::posix {

// The table of a Windows code page that the posix layer converts itself (see CodePageTables), or
// null.
const CodePageTable* FindCodePageTable(std::uint32_t codePage);

// A table's code page as MultiByteToWideChar with flags 0 reads it: a lead byte takes the next
// byte as its trail unless that is NUL or the input ends (then it gives the table's default
// unit), and a pair without a character gives the default unit too. Appends to `out`.
void TableToWide(const CodePageTable& table, std::string_view bytes, std::u16string& out);
// As WideCharToMultiByte with flags 0 and no default character writes it: each unit on its own,
// best-fit mappings included, and the table's default character for a unit without bytes.
std::string TableToMultiByte(const CodePageTable& table, std::u16string_view text);

}  // namespace ombrel::platform::posix
