// The decoding of one raw header value, encoded words and all.
#include <vector>

#include "mime/EncodedWords.h"
#include "tests/fuzz/FuzzPlatform.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(HeaderText) {
    using namespace ombrel;
    fuzz::FuzzPlatform platform(data, size);
    const std::vector<char> raw(data, data + size);
    decodeHeaderText(raw.data(), raw.size());
    return 0;
}
