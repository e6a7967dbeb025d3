#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "common/WideString.h"

namespace ombrel {

struct MessageCursor;

// Where a part stands in its message: how many levels below the root, inside how many held
// messages, whether it is a part of a digest (whose parts are messages unless they say
// otherwise), and whether it is itself a message held in a message part.
struct PartNesting {
    int depth = 0;
    int messages = 0;
    bool inDigest = false;
    bool held = false;
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
    ParsedMessage() = default;
    ~ParsedMessage();
    ParsedMessage(const ParsedMessage&) = delete;
    ParsedMessage& operator=(const ParsedMessage&) = delete;

    // Parses the message of `length` bytes at `text` into this fresh or reset root; a null text
    // leaves it untouched. The indexing job's stop check runs after each header and body line and
    // at the end of each part: a stop request ends the parse with CKVRFailException code 0, and
    // what was read stays.
    void parse(const char* text, std::size_t length);
    // Makes a used root ready for the next message; `statusFlag` and `kind` are left as they are.
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
    // A part of a multipart body, or the message that a message part holds, parsed at once at
    // the cursor; its body ends at `terminator`.
    ParsedMessage(WideString terminator, MessageCursor& cursor, const PartNesting& nesting);
    void parsePart(MessageCursor& cursor, const PartNesting& nesting);
};

// Appends every part of the subtree of `part` whose kind is `kind`, in pre-order: the part itself,
// then each child's subtree in order; except that the parts of a message held in a message part
// (a forwarded message, a digest's messages) come after all other parts of the message that
// holds it, so that the text of a message goes before the text of what it forwards.
void collectParts(const ParsedMessage& part, PartKind kind,
                  std::vector<const ParsedMessage*>& list);

// Appends the HTML and the plain-text parts that a message's content is chosen from, each in the
// order of collectParts: those of the message itself outside the messages it holds; when it has
// none, those of the first held message that has any. So a message's own text, HTML or plain,
// goes before what it forwards, and a message whose only text is forwarded still has content.
void collectTextParts(const ParsedMessage& message, std::vector<const ParsedMessage*>& html,
                      std::vector<const ParsedMessage*>& plain);

}  // namespace ombrel
