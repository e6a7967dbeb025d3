#include "common/TextCompare.h"

#include <algorithm>

namespace ombrel {
namespace {

template <typename Unit>
Unit FoldAscii(Unit unit) {
    return unit >= Unit('A') && unit <= Unit('Z') ? static_cast<Unit>(unit - Unit('A') + Unit('a'))
                                                  : unit;
}

template <typename Unit>
bool EqualsFolded(std::basic_string_view<Unit> left, std::basic_string_view<Unit> right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](Unit a, Unit b) { return FoldAscii(a) == FoldAscii(b); });
}

}  // namespace

bool EqualsIgnoringCase(std::u16string_view left, std::u16string_view right) {
    return EqualsFolded(left, right);
}

bool EqualsIgnoringCase(std::string_view left, std::string_view right) {
    return EqualsFolded(left, right);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() && EqualsFolded(text.substr(0, prefix.size()), prefix);
}

}  // namespace ombrel
