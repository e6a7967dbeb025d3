#include "mime/ParsedMessage.h"

#include "common/TextCompare.h"
#include "indexing/StopCheck.h"
#include "mime/BodyPhase.h"
#include "mime/HeaderPhase.h"
#include "mime/ParseBuffers.h"

namespace ombrel {

std::string_view ContentInfo::Body() const {
    if (bodyBegin == nullptr || bodyEnd == nullptr || bodyEnd < bodyBegin) return {};
    return {bodyBegin, static_cast<std::size_t>(bodyEnd - bodyBegin)};
}

bool IsMessagePart(const ContentInfo& content) {
    return EqualsIgnoringCase(content.type.View(), u"message") &&
           EqualsIgnoringCase(content.subtype.View(), u"rfc822");
}

std::unique_ptr<ParsedMessage> ParseBuffers::TakePart() {
    if (spareParts.empty()) return std::make_unique<ParsedMessage>();
    std::unique_ptr<ParsedMessage> part = std::move(spareParts.back());
    spareParts.pop_back();
    return part;
}

ParsedMessage::ParsedMessage() = default;
ParsedMessage::~ParsedMessage() = default;

void ParsedMessage::parse(const char* text, std::size_t length) {
    if (text == nullptr) return;
    if (!buffers_) buffers_ = std::make_unique<ParseBuffers>();
    MessageCursor cursor{text, text + length, buffers_.get()};
    parsePart(cursor, PartNesting());
}

void ParsedMessage::parsePart(MessageCursor& cursor, const PartNesting& nesting) {
    const RawHeaders headers = ReadHeaderBlock(cursor, content);
    DecodeHeaders(headers, *this, *cursor.buffers);
    // A part below the root without "Content-Type" has the default type of its context.
    if (nesting.depth > 0 && !headers.contentType) {
        content.type = nesting.inDigest ? u"message" : u"text";
        content.subtype = nesting.inDigest ? u"rfc822" : u"plain";
    }
    BodyPhase(*this, cursor, nesting).Run();
    CheckForStop();
}

void ParsedMessage::reset() {
    clearFields();
    if (buffers_) {
        std::vector<std::unique_ptr<ParsedMessage>>& spare = buffers_->spareParts;
        moveChildrenTo(spare);
        if (spare.size() > ParseBuffers::kKeptSpareParts)
            spare.resize(ParseBuffers::kKeptSpareParts);
    } else {
        children.clear();
    }
}

void ParsedMessage::clearFields() {
    ContentInfo& c = content;
    for (WideString* field :
         {&to, &from, &subject, &cc, &bcc, &replyTo, &terminator, &c.type, &c.subtype, &c.charset,
          &c.transferEncoding, &c.boundary, &c.filename, &c.contentId, &c.contentLocation}) {
        field->Std().clear();
    }
    c.bodyBegin = nullptr;
    c.bodyEnd = nullptr;
}

void ParsedMessage::moveChildrenTo(std::vector<std::unique_ptr<ParsedMessage>>& spare) {
    for (std::unique_ptr<ParsedMessage>& child : children) {
        child->clearFields();
        child->statusFlag = false;
        child->kind = PartKind::Other;
        child->moveChildrenTo(spare);
        spare.push_back(std::move(child));
    }
    children.clear();
}

void collectParts(const ParsedMessage& part, PartKind kind,
                  std::vector<const ParsedMessage*>& list) {
    forEachPart(part, kind, [&](const ParsedMessage& found) { list.push_back(&found); });
}

bool hasOwnPart(const ParsedMessage& part, PartKind kind) {
    bool found = false;
    forEachOwnPart(part, kind, [&](const ParsedMessage&) { found = true; });
    return found;
}

namespace {

bool HasOwnText(const ParsedMessage& message) {
    return hasOwnPart(message, PartKind::HtmlText) || hasOwnPart(message, PartKind::PlainText);
}

// The owner among the messages that `node`'s message parts hold, in order.
const ParsedMessage* HeldTextOwner(const ParsedMessage& node) {
    for (const auto& child : node.children) {
        const ParsedMessage* owner =
            IsMessagePart(node.content) ? textPartsOwner(*child) : HeldTextOwner(*child);
        if (owner != nullptr) return owner;
    }
    return nullptr;
}

}  // namespace

const ParsedMessage* textPartsOwner(const ParsedMessage& message) {
    return HasOwnText(message) ? &message : HeldTextOwner(message);
}

void collectTextParts(const ParsedMessage& message, std::vector<const ParsedMessage*>& html,
                      std::vector<const ParsedMessage*>& plain) {
    const ParsedMessage* owner = textPartsOwner(message);
    if (owner == nullptr) return;
    forEachOwnPart(*owner, PartKind::HtmlText,
                   [&](const ParsedMessage& part) { html.push_back(&part); });
    forEachOwnPart(*owner, PartKind::PlainText,
                   [&](const ParsedMessage& part) { plain.push_back(&part); });
}

}  // namespace ombrel
