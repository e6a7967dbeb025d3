#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/WideString.h"

namespace ombrel {

// Turns the raw bytes of a header value into text: the value is unfolded and read in the charset
// of its part (none: the ANSI code page), and its encoded words ("=?" charset "?" B or Q "?" text
// "?=") are decoded, each in its own charset, each run of adjacent words in one charset joined
// before conversion and the blanks between adjacent words dropped. Decoded text is final: a word
// inside it is not decoded again. A zero byte ends the value. Decoding stops at the first
// malformed word, which stays as it stands with everything after it. Never fails: without memory
// the text is empty.
WideString decodeHeaderText(const char* rawBytes, std::size_t length,
                            const WideString& charset = {});

// The buffers that decoding header text works in, their memory reused from one header to the next.
struct HeaderTextBuffers {
    std::string unfolded;
    std::string wordBytes;
};

// As above, into `text` replacing what it held.
void decodeHeaderText(std::string_view raw, const WideString& charset, std::u16string& text,
                      HeaderTextBuffers& buffers);

}  // namespace ombrel
