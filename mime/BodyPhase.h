#pragma once

#include "mime/MessageCursor.h"
#include "mime/ParsedMessage.h"

namespace ombrel {

// A part deeper than this many levels below the root does not open its own boundary: it is read
// as an opaque part up to its parent's delimiter, so no input can nest the parse without end.
inline constexpr int kMaxPartDepth = 64;
// A message part inside more held messages than this is not read as a message of its own.
inline constexpr int kMaxHeldMessages = 16;

// The body phase of one part at the cursor that its header block left: finds where the body
// begins and ends, builds the children of a multipart body (only a multipart part opens its
// boundary: any other keeps its whole body up to its parent's delimiter), reads the message that a
// message part holds as its one child, and classifies the part.
class BodyPhase {
  public:
    BodyPhase(ParsedMessage& part, MessageCursor& cursor, const PartNesting& nesting);
    void Run();

  private:
    enum class Delimiter { None, OwnBoundary, Separator, Close };

    // What the line is to this part; blanks after a delimiter (transport padding) do not count.
    Delimiter Classify(std::string_view line) const;
    // The text's last line when no line end follows it, where it is a delimiter (the zero that
    // ends mail as it arrives no part of it): into `line`, the cursor then at the end of the text.
    bool ReadLastDelimiter(std::string_view& line);
    // Builds children from the cursor on; true when one of them ended at the close delimiter.
    bool BuildChildren();
    bool HoldsMessage() const;
    // Parses the held message, which ends where this part ends, as this part's child.
    void ReadHeldMessage();
    // The body runs from `begin` to the end of the text, where the cursor then stands.
    void KeepBodyToTheEnd(const char* begin);

    ParsedMessage& part_;
    ContentInfo& content_;
    MessageCursor& cursor_;
    const PartNesting& nesting_;
    bool opensBoundary_;
};

// The kind of a part, from its own content fields.
PartKind ClassifyPart(const ContentInfo& content);

}  // namespace ombrel
