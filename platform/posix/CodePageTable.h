#pragma once

#include <cstdint>
#include <span>

namespace ombrel::platform::posix {

// The double-byte units of one lead byte: trail bytes from firstTrail to lastTrail map to
// units[trail - firstTrail]; every other trail byte maps to the table's unicodeDefault (all of
// them when firstTrail is above lastTrail).
struct LeadByteTable {
    std::uint8_t lead;
    std::uint8_t firstTrail;
    std::uint8_t lastTrail;
    const char16_t* units;
};

// A unit whose bytes are not the first byte sequence that maps to it: a best-fit mapping, or a
// unit that several sequences share. `bytes` holds a lead byte in its high half.
struct OneWayMapping {
    char16_t unit;
    std::uint16_t bytes;
};

// One Windows code page as its code-page file describes it.
struct CodePageTable {
    std::uint16_t codePage;
    std::uint16_t defaultChar;    // written for a unit without bytes
    char16_t unicodeDefault;      // read for a double-byte sequence without a unit
    const char16_t* singleBytes;  // 256 units; lead bytes have none of their own
    std::span<const LeadByteTable> leadBytes;
    std::span<const OneWayMapping> oneWay;
};

// Every code page of the posix layer, in the order of their numbers.
std::span<const CodePageTable* const> CodePageTables();

}  // namespace ombrel::platform::posix
