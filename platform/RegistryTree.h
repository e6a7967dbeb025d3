#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Registry.h"

namespace ombrel {

// Deletes a key with everything below it, deepest keys first. The registry's status: success, or
// the first failure (kFileNotFound when the key is missing).
std::int32_t DeleteKeyTree(platform::Registry& registry, platform::Registry::Key parent,
                           std::u16string_view path);

}  // namespace ombrel
