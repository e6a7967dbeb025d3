#pragma once

#include <string>

#include "common/WideString.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// Appends the body of a text part to `text`: transfer decoding by the part's
// "Content-Transfer-Encoding", then conversion by its charset; a zero byte ends the text. `bytes`
// takes the transfer-decoded bytes on the way, its memory reused. False for a part that is not
// text (adding nothing), for a quoted-printable body without a body range, and when memory runs
// out (adding nothing).
bool AppendBodyText(const ContentInfo& content, std::u16string& text, std::string& bytes);

// As AppendBodyText, into `text` replacing what it held; a part that is not text leaves it as it
// was.
bool decodeBody(const ParsedMessage& part, WideString& text);

}  // namespace ombrel
