#pragma once

#include "common/WideString.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// Reads a "Content-Type" value: the media type token assigns `type` and `subtype`, the "charset"
// and "boundary" parameters assign `charset` and `boundary`; the value is split at every ";"
// (quotes give no protection) and its parameters need "=" without blanks around it.
void parseContentType(ContentInfo& content, const WideString& value);

// Reads a decoded "Content-Disposition" value: its "filename" parameter assigns `filename`.
void parseContentDisposition(ContentInfo& content, const WideString& value);

}  // namespace ombrel
