#include "common/TextCompare.h"

#include <algorithm>

namespace ombrel {
namespace {

char16_t FoldAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

}  // namespace

bool EqualsIgnoringCase(std::u16string_view left, std::u16string_view right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); });
}

}  // namespace ombrel
