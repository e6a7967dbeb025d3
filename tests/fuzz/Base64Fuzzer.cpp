// The base64 decoder: the length it reports whether or not the data fits, and no write past the
// capacity it is given.
#include <memory>

#include "mime/TransferDecoding.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(Base64) {
    using namespace ombrel;
    const auto* source = reinterpret_cast<const char*>(data);
    std::size_t counted = 0;
    if (decodeBase64(source, size, nullptr, &counted)) __builtin_trap();  // nowhere to write
    for (const std::size_t capacity : {counted, counted / 2}) {
        const auto destination = std::make_unique<char[]>(capacity);
        std::size_t length = capacity;
        const bool fitted = decodeBase64(source, size, destination.get(), &length);
        if (length != counted || fitted != (capacity >= counted)) __builtin_trap();
    }
    return 0;
}
