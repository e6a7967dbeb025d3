#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "common/WideString.h"

namespace ombrel {

struct MessageCursor;

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
    // A part of the parent's multipart body, parsed at once at the cursor.
    ParsedMessage(const ParsedMessage& parent, MessageCursor& cursor, int depth);
    void parsePart(MessageCursor& cursor, int depth, bool inDigest);
};

// Appends every part of the subtree of `part` whose kind is `kind`, in pre-order: the part itself,
// then each child's subtree in order.
void collectParts(const ParsedMessage& part, PartKind kind,
                  std::vector<const ParsedMessage*>& list);

}  // namespace ombrel
