#pragma once

#include <string>

namespace ombrel::cli {

// Why the system does not let the file be read, in its words: "missing", "a directory, not a
// file", "not a regular file", the system's error text, or "empty"; empty when it would be read.
// Nothing blocks: a FIFO is told by its type, never opened.
std::string WhyUnreadable(const std::string& file);

// A local path as text for the user: bytes that are not UTF-8 become U+FFFD.
std::string PrintablePath(const std::string& path);
// True when the name is UTF-8 throughout, as the core's paths must be.
bool IsUtf8(const std::string& name);

}  // namespace ombrel::cli
