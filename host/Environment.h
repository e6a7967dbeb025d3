#pragma once

#include <cstdint>

namespace ombrel {

// Checks Windows and the host's installation, finds the host's data directory and plug-in list,
// and registers the library with the indexer on its first start. A negative status means that the
// library must not initialise; the other problems are reported to the user.
std::int32_t PrepareEnvironment();

}  // namespace ombrel
