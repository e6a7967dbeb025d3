#pragma once

#include "common/WideString.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// Reads a "Content-Type" value: the media type token assigns `type` and `subtype` (a token
// without "/" gives an empty type and the token as subtype; the last token wins), the "charset"
// and "boundary" parameters assign `charset` and `boundary`. Parameters are read as
// HeaderParameters reads them; what the value does not carry is left as it was.
void parseContentType(ContentInfo& content, const WideString& value);

// Reads a decoded "Content-Disposition" value: its "filename" parameter assigns `filename`.
void parseContentDisposition(ContentInfo& content, const WideString& value);

}  // namespace ombrel
