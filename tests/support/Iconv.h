#pragma once

#include <optional>
#include <string>

namespace ombrel::testing {

// The character that glibc's converter reads for one byte of a named charset, or none when the
// charset leaves the byte undefined. Tests check the charset tables against it.
std::optional<char32_t> IconvCharacter(const std::string& charset, unsigned char byte);

}  // namespace ombrel::testing
