#pragma once

#include <cstdint>

#include "common/WideString.h"

namespace ombrel {

// The ids of the library's string table.
namespace strings {
#define PLUGIN_STRING(id, name, text) inline constexpr std::uint32_t name = id;
#include "resources/StringTable.inc"
#undef PLUGIN_STRING
}  // namespace strings

// The text of a string-table entry; a missing entry gives an empty string and no error.
WideString LoadResourceString(std::uint32_t id);

}  // namespace ombrel
