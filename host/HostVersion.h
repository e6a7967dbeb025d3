#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ombrel {

// The four numbers of the host's version text.
using HostVersion = std::array<std::int32_t, 4>;

// Reads the text as "%d.%d.%d.%d" does; the numbers after the first mismatch count as 0.
HostVersion ParseHostVersion(std::u16string_view text);

// Whether the version is 2.0.4.8 or one the check counts as newer.
bool IsSupportedHostVersion(const HostVersion& version);

}  // namespace ombrel
