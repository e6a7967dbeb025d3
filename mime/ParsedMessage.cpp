#include "mime/ParsedMessage.h"

#include "common/TextCompare.h"
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
    parsePart(cursor, 0, false);
}

ParsedMessage::ParsedMessage(const ParsedMessage& parent, MessageCursor& cursor, int depth)
    : terminator(parent.content.boundary + u"--") {
    const bool inDigest = EqualsIgnoringCase(parent.content.type.View(), u"multipart") &&
                          EqualsIgnoringCase(parent.content.subtype.View(), u"digest");
    parsePart(cursor, depth, inDigest);
}

void ParsedMessage::parsePart(MessageCursor& cursor, int depth, bool inDigest) {
    const RawHeaders headers = ReadHeaderBlock(cursor, content);
    DecodeHeaders(headers, *this);
    // A part of a multipart body without "Content-Type" has the default type of its context.
    if (depth > 0 && !headers.hasContentType) {
        content.type = inDigest ? u"message" : u"text";
        content.subtype = inDigest ? u"rfc822" : u"plain";
    }
    BodyPhase(*this, cursor, depth).Run();
    CheckForStop();
}

void ParsedMessage::reset() {
    for (WideString* field : {&to, &from, &subject, &cc, &bcc, &replyTo, &terminator}) {
        *field = WideString();
    }
    content = ContentInfo();
    std::vector<std::unique_ptr<ParsedMessage>>().swap(children);
}

void collectParts(const ParsedMessage& part, PartKind kind,
                  std::vector<const ParsedMessage*>& list) {
    if (part.kind == kind) list.push_back(&part);
    for (const auto& child : part.children) collectParts(*child, kind, list);
}

}  // namespace ombrel
