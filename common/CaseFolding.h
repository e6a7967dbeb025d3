#pragma once

#include <string>
#include <string_view>

namespace ombrel {

// The text with each letter in upper case, as Windows folds names that compare without regard to
// case (registry keys and values, profile sections and keys, paths): the Latin letters of ASCII,
// Latin-1 and Latin Extended-A, and the basic Greek and Cyrillic ones.
std::u16string FoldCase(std::u16string_view text);

}  // namespace ombrel
