#include "mime/ParsedMessage.h"

#include "indexing/StopCheck.h"
#include "mime/BodyPhase.h"
#include "mime/HeaderPhase.h"

namespace ombrel {

std::string_view ContentInfo::Body() const {
    if (bodyBegin == nullptr || bodyEnd == nullptr || bodyEnd < bodyBegin) return {};
    return {bodyBegin, static_cast<std::size_t>(bodyEnd - bodyBegin)};
}

ParsedMessage::~ParsedMessage() = default;

void ParsedMessage::parse(const char* text, std::size_t length) {
    if (text == nullptr) return;
    MessageCursor cursor{text, text + length};
    parsePart(cursor, PartNesting());
}

ParsedMessage::ParsedMessage(WideString terminator, MessageCursor& cursor,
                             const PartNesting& nesting)
    : terminator(std::move(terminator)) {
    parsePart(cursor, nesting);
}

void ParsedMessage::parsePart(MessageCursor& cursor, const PartNesting& nesting) {
    const RawHeaders headers = nesting.held ? ReadHeldHeaderBlock(cursor, content, terminator)
                                            : ReadHeaderBlock(cursor, content);
    DecodeHeaders(headers, *this);
    // A part below the root without "Content-Type" has the default type of its context.
    if (nesting.depth > 0 && !headers.contentType) {
        content.type = nesting.inDigest ? u"message" : u"text";
        content.subtype = nesting.inDigest ? u"rfc822" : u"plain";
    }
    BodyPhase(*this, cursor, nesting).Run();
    CheckForStop();
}

void ParsedMessage::reset() {
    for (WideString* field : {&to, &from, &subject, &cc, &bcc, &replyTo, &terminator}) {
        *field = WideString();
    }
    content = ContentInfo();
    std::vector<std::unique_ptr<ParsedMessage>>().swap(children);
}

namespace {

// Collects the parts of one message's tree, leaving out the messages held in its message parts,
// which are gathered in `held` in their order.
void CollectMessageParts(const ParsedMessage& part, PartKind kind,
                         std::vector<const ParsedMessage*>& list,
                         std::vector<const ParsedMessage*>& held) {
    if (part.kind == kind) list.push_back(&part);
    for (const auto& child : part.children) {
        if (IsMessagePart(part.content)) {
            held.push_back(child.get());
        } else {
            CollectMessageParts(*child, kind, list, held);
        }
    }
}

}  // namespace

void collectParts(const ParsedMessage& part, PartKind kind,
                  std::vector<const ParsedMessage*>& list) {
    std::vector<const ParsedMessage*> held;
    CollectMessageParts(part, kind, list, held);
    for (const ParsedMessage* message : held) collectParts(*message, kind, list);
}

void collectTextParts(const ParsedMessage& message, std::vector<const ParsedMessage*>& html,
                      std::vector<const ParsedMessage*>& plain) {
    std::vector<const ParsedMessage*> held;
    CollectMessageParts(message, PartKind::HtmlText, html, held);
    held.clear();
    CollectMessageParts(message, PartKind::PlainText, plain, held);
    for (const ParsedMessage* next : held) {
        if (!html.empty() || !plain.empty()) return;
        collectTextParts(*next, html, plain);
    }
}

}  // namespace ombrel
