#pragma once

#include <cstdint>
#include <optional>

#include "common/WideString.h"
#include "platform/Registry.h"

namespace ombrel {

// Reads a value of an open key as text into a buffer of `bufferBytes` bytes, whatever the value's
// type: the text ends at its first zero unit or at the end of the data. Nothing when the value is
// missing or does not fit the buffer.
std::optional<WideString> ReadRegistryText(platform::Registry& registry,
                                           platform::Registry::Key key, const char16_t* name,
                                           std::uint32_t bufferBytes);

}  // namespace ombrel
