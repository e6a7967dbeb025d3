#pragma once

#include <cstddef>

namespace ombrel {

// Where quoted-printable text comes from: "_" stands for a blank only in Q-encoded words.
enum class QuotedPrintableForm { Body, EncodedWord };

// Decodes `count` bytes of quoted-printable text into `destination` (room for `count` bytes) and
// stores the number of bytes written in `outLength`. "=" and two hexadecimal digits is one byte,
// "=" before a line end (CR LF, LF or CR) is a soft line break, and any other "=" is copied as it
// stands. Returns false, writing nothing, when `destination` or `outLength` is null.
bool decodeQuotedPrintable(const char* source, std::size_t count, char* destination,
                           std::size_t* outLength,
                           QuotedPrintableForm form = QuotedPrintableForm::Body);

// Decodes base64 text, skipping every byte outside the alphabet (padding, line ends, blanks), so
// that joined encodings decode as one stream. On entry `inOutLength` is the capacity of
// `destination`; on return the full decoded length, whether it fitted or not. Returns false when
// `source` or `inOutLength` is null, or when the data did not fit (a null destination only
// counts).
bool decodeBase64(const char* source, std::size_t length, char* destination,
                  std::size_t* inOutLength);

}  // namespace ombrel
