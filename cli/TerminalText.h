#pragma once

#include <string>
#include <string_view>

namespace ombrel::cli {

// Mail's text as a terminal may show it: control characters (C0, DEL, C1) and the characters
// that reorder text (bidirectional overrides, embeddings, isolates and marks) become visible
// names, "^[" or "<U+202E>", so that no escape sequence in a message drives the terminal; line
// ends and tabs become spaces, and bytes that are not UTF-8 become U+FFFD.
std::string TerminalText(std::string_view text);

}  // namespace ombrel::cli
