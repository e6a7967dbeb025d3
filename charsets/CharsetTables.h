#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "charsets/CharsetTable.h"
#include "common/WideString.h"

namespace ombrel {

// Loads the host's own charset tables from "Software\RIT\The Bat!\XLT" (one subkey per table,
// its "Table" value the map); returns the registry status of opening that key.
std::int32_t LoadCharsetTables();
// Releases the host's charset tables.
void FreeCharsetTables();
// The host's tables, in registry enumeration order; empty before loading and after freeing.
std::span<const CharsetTable> HostCharsetTables();

// The host's table whose name equals `charset` without regard to case; null when none does.
const CharsetTable* FindHostTable(std::u16string_view charset);
const CharsetTable* FindHostTable(std::string_view charset);
// The first table, host tables first, whose name equals `charset` without regard to case; null
// when none does.
const CharsetTable* FindTableByName(const WideString& charset);
// The table with the longest name that begins `charsetText` without regard to case, a host table
// winning over a built-in one of the same length; null when none does.
const CharsetTable* FindTableByPrefix(std::string_view charsetText);

// Replaces each of the `count` bytes by the table's map; no table, or a count of 0 or less,
// changes nothing.
void Translate(const CharsetTable* table, char* bytes, std::ptrdiff_t count);
// Replaces each of the `count` bytes by the map of the table named `charset`; no table, or a
// count of 0 or less, changes nothing.
void translateByName(const WideString& charset, char* bytes, std::ptrdiff_t count);
// The same with the table found for the text of an encoded word that begins with its charset.
void translateByPrefix(std::string_view charsetText, char* bytes, std::ptrdiff_t count);

}  // namespace ombrel
