#include "common/CaseFolding.h"

namespace ombrel {
namespace {

// Latin Extended-A pairs its letters as upper, lower; from 0x0139 to 0x0148 and from 0x0179 to
// 0x017E the pairs start one later.
char16_t UpperLatinExtendedA(char16_t c) {
    const bool shifted = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
    const bool lower = shifted ? (c % 2 == 0) : (c % 2 == 1);
    const bool unpaired = c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x017F;
    return lower && !unpaired ? static_cast<char16_t>(c - 1) : c;
}

char16_t Upper(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x0178;
    if (c >= 0x0100 && c <= 0x017F) return UpperLatinExtendedA(c);
    if (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 0x50);
    return c;
}

}  // namespace

std::u16string FoldCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) c = Upper(c);
    return folded;
}

}  // namespace ombrel
