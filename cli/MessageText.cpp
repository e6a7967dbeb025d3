#include "cli/MessageText.h"

#include "cli/HtmlText.h"
#include "mime/BodyDecoding.h"
#include "mime/MessageCursor.h"
#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

using platform::posix::WideToUtf8;

// So many message ids of "References" are kept: the first names the conversation, the last the
// message replied to; a header longer than this is someone's mistake or attack.
constexpr std::size_t kMaxReferences = 64;

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    }
    return true;
}

// The "<...>" message ids of a header's value, at most `limit` of them, separated by spaces.
std::string MessageIds(std::string_view value, std::size_t limit) {
    std::string ids;
    std::size_t count = 0;
    std::size_t at = 0;
    while (count < limit) {
        const std::size_t open = value.find('<', at);
        const std::size_t close = value.find('>', open);
        if (open == std::string_view::npos || close == std::string_view::npos) break;
        const std::string_view id = value.substr(open, close + 1 - open);
        if (id.find_first_of(" \t\r\n<", 1) == std::string_view::npos && id.size() > 2) {
            if (!ids.empty()) ids += ' ';
            ids += id;
            ++count;
        }
        at = close + 1;
    }
    return ids;
}

void ReadConversationHeaders(std::string_view raw, MessageText& text) {
    MessageCursor cursor{raw.data(), raw.data() + raw.size(), nullptr};
    std::string_view header;
    while (ReadHeader(cursor, header) == HeaderRead::Header) {
        const std::size_t colon = header.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = header.substr(0, colon);
        const std::string_view value = header.substr(colon + 1);
        if (SameName(name, "Message-ID") && text.messageId.empty()) {
            text.messageId = MessageIds(value, 1);
        } else if (SameName(name, "In-Reply-To") && text.inReplyTo.empty()) {
            text.inReplyTo = MessageIds(value, 1);
        } else if (SameName(name, "References") && text.references.empty()) {
            text.references = MessageIds(value, kMaxReferences);
        }
    }
    const std::string& first = !text.references.empty()  ? text.references
                               : !text.inReplyTo.empty() ? text.inReplyTo
                                                         : text.messageId;
    text.thread = first.substr(0, first.find(' '));
}

class PartWalk {
  public:
    explicit PartWalk(MessageText& text) : text_(text) {}

    // Walks a part and its children; true when they held text that is not only blanks.
    bool Walk(const ParsedMessage& part, bool heldMessage) {
        if (heldMessage) HeldHeaders(part);
        Name(part.content);
        bool text = false;
        // An attachment of another text type (text/csv, say) is text to search too.
        if (part.kind == PartKind::PlainText || part.kind == PartKind::HtmlText ||
            part.kind == PartKind::Attachment) {
            text = AddText(part.content, part.kind == PartKind::HtmlText);
        }
        const bool held = IsMessagePart(part.content);
        // Of the alternatives to a plain text that says something, its HTML says the same again.
        const bool alternative = SameName(WideToUtf8(part.content.subtype.View()), "alternative");
        bool plainText = false;
        for (const auto& child : part.children) {
            if (alternative && plainText && child->kind == PartKind::HtmlText) continue;
            const bool childText = Walk(*child, held);
            plainText = plainText || (childText && child->kind == PartKind::PlainText);
            text = text || childText;
        }
        return text;
    }

  private:
    void Append(std::string_view more) {
        if (!text_.body.empty()) text_.body += "\n\n";
        text_.body += more;
    }

    // A forwarded message's or a digest's message's sender and subject.
    void HeldHeaders(const ParsedMessage& message) {
        std::string lines;
        if (!message.from.IsEmpty()) lines += "From: " + WideToUtf8(message.from.View()) + "\n";
        if (!message.subject.IsEmpty()) lines += "Subject: " + WideToUtf8(message.subject.View());
        if (!lines.empty()) Append(lines);
    }

    void Name(const ContentInfo& content) {
        const WideString& name = !content.filename.IsEmpty()          ? content.filename
                                 : !content.contentLocation.IsEmpty() ? content.contentLocation
                                                                      : content.contentId;
        if (name.IsEmpty()) return;
        text_.attachments += '[';
        text_.attachments += WideToUtf8(name.View());
        text_.attachments += ']';
    }

    // Adds a text part's text; true when it is not only blanks.
    bool AddText(const ContentInfo& content, bool html) {
        decoded_.clear();
        if (!AppendBodyText(content, decoded_, bytes_)) return false;
        const std::string utf8 = WideToUtf8(decoded_);
        const std::string shown = html ? HtmlText(utf8) : utf8;
        if (shown.find_first_not_of(" \t\r\n") == std::string::npos) return false;
        Append(shown);
        return true;
    }

    MessageText& text_;
    std::u16string decoded_;
    std::string bytes_;
};

}  // namespace

MessageText ReadMessageText(const ParsedMessage& message, std::string_view raw) {
    MessageText text;
    PartWalk(text).Walk(message, false);
    ReadConversationHeaders(raw, text);
    return text;
}

}  // namespace ombrel::cli
