#pragma once

#include <optional>
#include <string_view>

#include "mime/MessageCursor.h"
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
    bool hasContentType = false;
};

// Reads the header block at the cursor, up to and including the empty line that ends it, and
// takes the content headers into `content` as they come ("Content-Type" parsed at once).
RawHeaders ReadHeaderBlock(MessageCursor& cursor, ContentInfo& content);

// Decodes the raw values in the part's own charset into the part's fields, and reads the file
// name from the decoded "Content-Disposition".
void DecodeHeaders(const RawHeaders& headers, ParsedMessage& part);

}  // namespace ombrel
