#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel::testing {

// A text in one charset as mail names it: its bytes there, the text they stand for, and the ANSI
// code page of a Windows whose language the charset writes.
struct CharsetSample {
    std::string_view charset;
    std::string_view bytes;
    std::u16string_view text;
    std::uint32_t localeCodePage;
};

// One sample for each charset that mail carries and Windows reads in a code page of its own.
std::span<const CharsetSample> CharsetSamples();

// Messages whose subject (an encoded word) and whose text part both hold the sample's bytes, and
// whose decoded text part is the sample's text followed by CR LF: a single part in 8 bits, a
// single part in quoted-printable with a Q word, and a multipart message whose text part is in
// base64 beside an attachment.
std::vector<std::string> CharsetMessages(const CharsetSample& sample);

}  // namespace ombrel::testing
