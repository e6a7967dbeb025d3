#pragma once

namespace ombrel {

// JIS X 0208: 94 rows of 94 cells; the character of row r and cell c (both from 0, the bytes
// 0x21 + r and 0x21 + c) is kJisX0208[r * kJisX0208Rows + c], U+FFFD where the set has none.
inline constexpr int kJisX0208Rows = 94;
extern const char16_t kJisX0208[kJisX0208Rows * kJisX0208Rows];

}  // namespace ombrel
