#pragma once

#include <string>
#include <string_view>

namespace ombrel::cli {

// The text that an HTML document shows, for the full-text index: tags, comments, scripts and
// styles left out, character references decoded, runs of white space made one. UTF-8 in and out;
// any bytes are accepted.
std::string HtmlText(std::string_view html);

}  // namespace ombrel::cli
