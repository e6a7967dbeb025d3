#pragma once

#include <string_view>

namespace ombrel::cli {

// The usage of every command, for errors and `ombrel help`.
extern const char* const kUsage;

// The help of a command, or null for a command that does not exist.
const char* CommandHelp(std::string_view command);

}  // namespace ombrel::cli
