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

// Reads the header block at the cursor, up to and including the empty line that ends it, and
// takes the content headers into `content` as they come ("Content-Type" parsed at once), working
// in the cursor's buffers.
RawHeaders ReadHeaderBlock(MessageCursor& cursor, ContentInfo& content);

// Reads the header block of a message held in a message part, whose body ends at `terminator`
// (empty when the held message runs to the end of the text). As ReadHeaderBlock, but the block
// ends before a delimiter line of `terminator`, which is left to end the body; and a message
// whose first line is neither a name and a colon nor an mbox "From " line has no header block
// (its writer left the headers out), so that line begins its body.
RawHeaders ReadHeldHeaderBlock(MessageCursor& cursor, ContentInfo& content,
                               const WideString& terminator);

// Decodes the raw values in the part's own charset into the part's fields, and reads the file
// name from the decoded "Content-Disposition"; without one there, the
// "name" parameter of the decoded "Content-Type" names a part that is neither text nor multipart,
// as many mail programs write it.
void DecodeHeaders(const RawHeaders& headers, ParsedMessage& part, ParseBuffers& buffers);

}  // namespace ombrel
