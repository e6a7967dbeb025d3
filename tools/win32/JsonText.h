#pragma once

#include <string>

namespace ombrel::standin {

// A JSON string literal of the text, in UTF-8.
std::string Json(const std::u16string& text);

}  // namespace ombrel::standin
