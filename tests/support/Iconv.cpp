#include "tests/support/Iconv.h"

#include <iconv.h>

#include <array>
#include <cstring>
#include <stdexcept>

namespace ombrel::testing {

std::optional<char32_t> IconvCharacter(const std::string& charset, unsigned char byte) {
    iconv_t converter = iconv_open("UTF-32LE", charset.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))  // NOLINT(performance-no-int-to-ptr)
        throw std::runtime_error("no charset " + charset);
    char in = static_cast<char>(byte);
    std::array<char, 8> out{};
    char* inPointer = &in;
    char* outPointer = out.data();
    std::size_t inLeft = 1;
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || outLeft != out.size() - 4) return std::nullopt;
    char32_t character = 0;
    std::memcpy(&character, out.data(), 4);
    return character;
}

}  // namespace ombrel::testing
