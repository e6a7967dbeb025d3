#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ombrel {

// Base64 with the standard alphabet (A-Z, a-z, 0-9, "+", "/").

// Encodes every three bytes as four characters; a final one or two bytes give two or three
// characters. No padding and no line breaks are written.
std::string EncodeBase64(std::string_view bytes);

// Decodes leniently: characters outside the alphabet ("=" padding, line breaks and blanks
// included) are skipped, every four alphabet characters give three bytes and a final group of k
// characters gives (6 × k) / 8 bytes. Writes at most `capacity` bytes to `out` and returns the
// length of the whole decoded data, so a result above `capacity` means it did not fit.
std::size_t DecodeBase64(std::string_view text, std::uint8_t* out, std::size_t capacity);

}  // namespace ombrel
