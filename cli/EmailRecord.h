#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/MessageText.h"
#include "platform/Indexer.h"

namespace ombrel::cli {

// An e-mail event as the database keeps it, its texts in UTF-8.
struct EmailRecord {
    std::optional<double> receivedDays;  // a VT_DATE value
    std::string subject;
    std::string from;
    std::string to;
    std::string cc;
    std::string bcc;
    std::string replyTo;
    std::string content;  // the body text, then a line of "[name]" per attachment
    std::string format;   // "text/plain", "text/html" or empty
    std::string folderPath;
    std::uint32_t mailFlags = 0;

    // The message as its folder's base holds it, when it was read from there.
    struct Stored {
        MessageText text;
        std::uint32_t status = 0;  // of its index entry
        std::uint32_t size = 0;
    };
    std::optional<Stored> stored;

    // Takes one property of the event by its name; other names and types are left out.
    void Put(std::u16string_view name, const platform::PropertyValue& value);

    // The text of the body for the index: every text part of the stored message, else the
    // event's body (HTML as the text it shows).
    std::string BodyText() const;
    // The attachment names, "[name]" each: of the stored message, else of the event's content.
    std::string AttachmentNames() const;
    // The time received, "YYYY-MM-DD HH:MM:SS"; empty when there is none.
    std::string ReceivedText() const;
};

}  // namespace ombrel::cli
