#pragma once

#include <optional>
#include <string_view>

#include "mime/MessageCursor.h"
#include "mime/ParseBuffers.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// The raw values of the headers that are decoded once the header block has been read; each
// points into the message text. A header that occurs again replaces the earlier value.
struct RawHeaders {
    std::optional<std::string_view> from;
    std::optional<std::string_view> to;
    std::optional<std::string_view> replyTo;
    std::optional<std::string_view> subject;
    std::optional<std::string_view> cc;
    std::optional<std::string_view> bcc;
    std::optional<std::string_view> contentDisposition;
    std::optional<std::string_view> contentType;  // for its "name" parameter
};

// Reads the header block at the cursor and takes the content headers into `content` as they come
// ("Content-Type" parsed at once), working in the cursor's buffers. The block ends with an empty
// line or one of blanks only, which is consumed, or before the first line that is neither a
// header field (a name and a colon) nor its continuation nor an mbox "From " line: a delimiter
// line, or text whose writer left out the empty line or the headers, which begins the body.
RawHeaders ReadHeaderBlock(MessageCursor& cursor, ContentInfo& content);

// Decodes the raw values in the part's own charset into the part's fields, and reads the file
// name from the decoded "Content-Disposition"; without one there, the
// "name" parameter of the decoded "Content-Type" names a part that is neither text nor multipart,
// as many mail programs write it.
void DecodeHeaders(const RawHeaders& headers, ParsedMessage& part, ParseBuffers& buffers);

}  // namespace ombrel
