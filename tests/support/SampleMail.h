#pragma once

#include <cstdint>
#include <string>

namespace ombrel::testing {

// The kinds of real-looking mail the sample store holds.
enum class SampleMailKind {
    kPlain,         // US-ASCII text
    kHtml,          // HTML only, UTF-8
    kAlternative,   // multipart/alternative: plain and HTML
    kAttachments,   // multipart/mixed: text, a PDF and a PNG in base64
    kKoi8,          // Cyrillic KOI8-R, 8-bit body, B-encoded subject
    kWindows1251,   // Cyrillic windows-1251, quoted-printable body, Q-encoded subject
    kEncodedWords,  // UTF-8 and ISO-8859-1 encoded words in the headers, quoted-printable body
    kCount,
};

// One message of the kind, numbered `serial`, sent at `time` (seconds since 1970), from and to
// the given addresses. The text is the raw RFC 822 message with CR LF line ends.
std::string SampleMail(SampleMailKind kind, int serial, std::int64_t time, const std::string& from,
                       const std::string& to);

}  // namespace ombrel::testing
