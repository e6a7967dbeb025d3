#pragma once

#include <string_view>

#include "mime/HeaderParameters.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// Reads a "Content-Type" value: the media type token assigns `type` and `subtype` (a token
// without "/" gives an empty type and the token as subtype; the last token wins), the "charset"
// and "boundary" parameters assign `charset` and `boundary`. Parameters are read as
// HeaderParameters reads them, in `parameters`; what the value does not carry is left as it was.
void parseContentType(ContentInfo& content, std::u16string_view value,
                      HeaderParameters& parameters);

// Reads a decoded "Content-Disposition" value: its "filename" parameter assigns `filename`.
void parseContentDisposition(ContentInfo& content, std::u16string_view value,
                             HeaderParameters& parameters);

}  // namespace ombrel
