#include "indexer/GuidText.h"

namespace ombrel {

WideString GuidText(const Guid& guid, HexDigits digits) {
    const char16_t* pattern = digits == HexDigits::Upper
                                  ? u"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}"
                                  : u"{%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}";
    const auto& d = guid.data4;
    return WideString::Formatted(pattern, guid.data1, guid.data2, guid.data3, d[0], d[1], d[2],
                                 d[3], d[4], d[5], d[6], d[7]);
}

}  // namespace ombrel
