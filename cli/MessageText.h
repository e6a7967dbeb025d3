#pragma once

#include <string>
#include <string_view>

#include "mime/ParsedMessage.h"

namespace ombrel::cli {

// Everything a stored message says that its search needs beyond its e-mail event (which keeps
// the plug-in's rules: one text part, the attachments' names only): in UTF-8.
struct MessageText {
    std::string body;         // every text part, HTML as the text it shows, forwarded ones too
    std::string attachments;  // "[name]" for every named part, inline images too
    std::string messageId;    // "<...>", or empty
    std::string inReplyTo;
    std::string references;  // the message ids, separated by spaces
    std::string thread;      // the message id that starts its conversation, or empty
};

// Reads the text of the parsed message and the conversation headers of its raw text.
MessageText ReadMessageText(const ParsedMessage& message, std::string_view raw);

}  // namespace ombrel::cli
