#pragma once

#include <span>

#include "charsets/CharsetTable.h"

namespace ombrel {

// The 20 constant tables, in the order in which lookups search them.
std::span<const CharsetTable> BuiltInCharsetTables();

}  // namespace ombrel
