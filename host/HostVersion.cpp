#include "host/HostVersion.h"

#include <algorithm>
#include <limits>

namespace ombrel {
namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// One "%d": blanks, an optional sign and at least one digit; a value out of range saturates.
bool ReadNumber(std::u16string_view text, std::size_t& at, std::int32_t& number) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    std::size_t pos = at;
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) ++pos;
    if (pos >= text.size() || !IsDigit(text[pos])) return false;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        magnitude = std::min(magnitude * 10 + (text[pos] - u'0'), kLimit + 1);
    }
    number = static_cast<std::int32_t>(negative ? std::max(-magnitude, -kLimit - 1)
                                                : std::min(magnitude, kLimit));
    at = pos;
    return true;
}

}  // namespace

HostVersion ParseHostVersion(std::u16string_view text) {
    HostVersion version{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < version.size(); ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != u'.') break;
            ++at;
        }
        if (!ReadNumber(text, at, version[i])) break;
    }
    return version;
}

bool IsSupportedHostVersion(const HostVersion& version) {
    const auto [major, minor, build, revision] = version;
    if (major != 2) return major > 2;
    if (minor > 0) return true;
    if (build != 4) return build > 4;
    return revision >= 8;
}

}  // namespace ombrel
