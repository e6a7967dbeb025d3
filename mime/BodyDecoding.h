#pragma once

#include "common/WideString.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// Decodes the body of a text part into `text`, replacing what it held: transfer decoding by the
// part's "Content-Transfer-Encoding", then conversion by its charset. A zero byte ends the text.
// False for a part that is not text (leaving `text` as it was), for a quoted-printable body
// without a body range, and when memory runs out.
bool decodeBody(const ParsedMessage& part, WideString& text);

}  // namespace ombrel
