#pragma once

#include <cstdint>

namespace ombrel {

// Loads the host's own charset tables; returns the registry status of opening their key.
std::int32_t LoadCharsetTables();
// Releases the host's charset tables.
void FreeCharsetTables();

}  // namespace ombrel
