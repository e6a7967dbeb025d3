// The decoding of one raw header value, encoded words and all, and the reading of the decoded
// text as a content header's value with its parameters.
#include <vector>

#include "mime/ContentHeaders.h"
#include "mime/EncodedWords.h"
#include "tests/fuzz/FuzzPlatform.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(HeaderText) {
    using namespace ombrel;
    fuzz::FuzzPlatform platform(data, size);
    const std::vector<char> raw(data, data + size);
    const WideString text = decodeHeaderText(raw.data(), raw.size());
    ContentInfo content;
    HeaderParameters parameters;
    parseContentType(content, text.View(), parameters);
    parseContentDisposition(content, text.View(), parameters);
    return 0;
}
