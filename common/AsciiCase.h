#pragma once

#include <algorithm>
#include <string_view>

namespace ombrel {

// Comparisons of protocol names (header fields, media types, charsets, encodings) that ignore the
// case of the ASCII letters, as those names are defined.
template <typename Unit>
constexpr Unit FoldAscii(Unit unit) {
    return unit >= Unit('A') && unit <= Unit('Z') ? static_cast<Unit>(unit + 0x20) : unit;
}

template <typename Unit>
constexpr bool EqualsIgnoringCase(std::basic_string_view<Unit> left,
                                  std::basic_string_view<Unit> right) {
    return std::ranges::equal(left, right, {}, FoldAscii<Unit>, FoldAscii<Unit>);
}

constexpr bool EqualsIgnoringCase(std::u16string_view left, std::u16string_view right) {
    return EqualsIgnoringCase<char16_t>(left, right);
}

constexpr bool EqualsIgnoringCase(std::string_view left, std::string_view right) {
    return EqualsIgnoringCase<char>(left, right);
}

constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace ombrel
