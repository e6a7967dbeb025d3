#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "common/WideString.h"

namespace ombrel {

struct MessageCursor;
struct ParseBuffers;

// Where a part stands in its message: how many levels below the root, inside how many held
// messages, and whether it is a part of a digest (whose parts are messages unless they say
// otherwise).
struct PartNesting {
    int depth = 0;
    int messages = 0;
    bool inDigest = false;
};

// The classification of a part, on which the choice of the indexed text rests.
enum class PartKind : std::int32_t {
    Other = 0,
    PlainText = 1,
    HtmlText = 2,
    Binary = 4,
    EmbeddedBinary = 5,
    Attachment = 7,
};

// The content of one part, from its content headers, and where its body lies in the message text.
struct ContentInfo {
    WideString type;
    WideString subtype;
    WideString charset;
    WideString transferEncoding;
    WideString boundary;  // "--" and the boundary parameter; empty without one
    WideString filename;
    WideString contentId;
    WideString contentLocation;
    // Into the caller's message text, begin inclusive, end exclusive; both null while unset, which
    // reads as an empty body.
    const char* bodyBegin = nullptr;
    const char* bodyEnd = nullptr;

    // The body's bytes: empty while the range is unset or reversed.
    std::string_view Body() const;
};

// One MIME part of a message: the root stands for the whole message, the parts of a multipart
// body are its children, in the order of the body. Parsing reads the text in one forward pass and
// copies none of it: the body ranges point into the text, which must outlive the object's use.
struct ParsedMessage {
    ParsedMessage();
    ~ParsedMessage();
    ParsedMessage(const ParsedMessage&) = delete;
    ParsedMessage& operator=(const ParsedMessage&) = delete;

    // Parses the message of `length` bytes at `text` into this fresh or reset root; a null text
    // leaves it untouched. The indexing job's stop check runs after each header and body line and
    // at the end of each part: a stop request ends the parse with CKVRFailException code 0, and
    // what was read stays.
    void parse(const char* text, std::size_t length);
    // Makes a used root ready for the next message, keeping its memory and (up to a bound) its
    // parts for reuse; `statusFlag` and `kind` are left as they are.
    void reset();

    WideString to;
    WideString from;
    WideString subject;
    WideString cc;
    WideString bcc;
    WideString replyTo;
    ContentInfo content;
    std::vector<std::unique_ptr<ParsedMessage>> children;
    // The delimiter line that ends this part's body; emptied when the close delimiter ended it.
    WideString terminator;
    bool statusFlag = false;  // set by the caller from the message's index status
    PartKind kind = PartKind::Other;

  private:
    friend class BodyPhase;
    // Parses the part at the cursor; its body ends at `terminator`.
    void parsePart(MessageCursor& cursor, const PartNesting& nesting);
    // Empties every field, keeping the memory they hold.
    void clearFields();
    // Empties the part's subtree into `spare`, each part emptied as a fresh one is.
    void moveChildrenTo(std::vector<std::unique_ptr<ParsedMessage>>& spare);

    std::unique_ptr<ParseBuffers> buffers_;  // the root's, from its first parse on
};

// True for a part of type "message/rfc822", whose children are the message it holds.
bool IsMessagePart(const ContentInfo& content);

// Calls `visit` with each part of the subtree of `part` whose kind is `kind`, in pre-order (the
// part itself, then each child's subtree in order), leaving out the messages held in message
// parts (a forwarded message, a digest's messages).
template <typename Visit>
void forEachOwnPart(const ParsedMessage& part, PartKind kind, Visit&& visit) {
    if (part.kind == kind) visit(part);
    if (IsMessagePart(part.content)) return;
    for (const auto& child : part.children) forEachOwnPart(*child, kind, visit);
}

// Whether forEachOwnPart visits a part of the kind.
bool hasOwnPart(const ParsedMessage& part, PartKind kind);

// As forEachOwnPart, then the same for each held message in turn: so the text of a message goes
// before the text of what it forwards.
template <typename Visit>
void forEachPart(const ParsedMessage& part, PartKind kind, Visit&& visit) {
    forEachOwnPart(part, kind, visit);
    const auto visitHeld = [&](const ParsedMessage& node, const auto& self) -> void {
        for (const auto& child : node.children) {
            if (IsMessagePart(node.content)) {
                forEachPart(*child, kind, visit);
            } else {
                self(*child, self);
            }
        }
    };
    visitHeld(part, visitHeld);
}

// Appends what forEachPart visits.
void collectParts(const ParsedMessage& part, PartKind kind,
                  std::vector<const ParsedMessage*>& list);

// The message whose own HTML and plain-text parts (see forEachOwnPart) a message's content is
// chosen from: the message itself when it has any; else the first of the messages it holds, in
// the order of forEachPart, that has such an owner. Null when none has. So a message's own text
// goes before what it forwards, and a message whose only text is forwarded still has content.
const ParsedMessage* textPartsOwner(const ParsedMessage& message);

// Appends the HTML and the plain-text parts of textPartsOwner, each in order.
void collectTextParts(const ParsedMessage& message, std::vector<const ParsedMessage*>& html,
                      std::vector<const ParsedMessage*>& plain);

}  // namespace ombrel
