#include "mime/BodyPhase.h"

#include <algorithm>

#include "charsets/ConversionRules.h"
#include "common/TextCompare.h"
#include "indexing/StopCheck.h"
#include "mime/ParseBuffers.h"

namespace ombrel {
namespace {

bool Is(const WideString& field, std::u16string_view name) {
    return EqualsIgnoringCase(field.View(), name);
}

// The close delimiter of a boundary ("--" and its parameter): the boundary and "--".
void AssignCloseDelimiter(WideString& terminator, const WideString& boundary) {
    terminator.Std().assign(boundary.View()).append(u"--");
}

}  // namespace

BodyPhase::BodyPhase(ParsedMessage& part, MessageCursor& cursor, const PartNesting& nesting)
    : part_(part),
      content_(part.content),
      cursor_(cursor),
      nesting_(nesting),
      opensBoundary_(!part.content.boundary.IsEmpty() && Is(part.content.type, u"multipart") &&
                     nesting.depth <= kMaxPartDepth) {}

void BodyPhase::Run() {
    if (HoldsMessage()) {
        ReadHeldMessage();
        part_.kind = ClassifyPart(content_);
        return;
    }
    // A child keeps its parent's close delimiter, so a nested multipart part still ends at its
    // parent's delimiter and its own close delimiter only ends its last child.
    if (opensBoundary_ && (part_.terminator.IsEmpty() || part_.terminator.View() == u"--")) {
        AssignCloseDelimiter(part_.terminator, content_.boundary);
    }
    if (part_.terminator.IsEmpty()) {
        // The root without a boundary: its body is the rest of the text.
        if (content_.type.IsEmpty()) {
            content_.type = u"text";
            content_.subtype = u"plain";
        }
        KeepBodyToTheEnd(cursor_.position);
        part_.kind = ClassifyPart(content_);
        return;
    }
    const char* const bodyBegin = cursor_.position;
    for (std::string_view line;;) {
        if (!ReadLine(cursor_, line) && !ReadLastDelimiter(line)) {
            KeepBodyToTheEnd(bodyBegin);  // the delimiter never came: the body is the rest
            break;
        }
        CheckForStop();
        const Delimiter delimiter = Classify(line);
        if (delimiter == Delimiter::OwnBoundary) {
            if (!BuildChildren()) {
                KeepBodyToTheEnd(bodyBegin);
                break;
            }
        } else if (delimiter != Delimiter::None) {
            content_.bodyBegin = bodyBegin;
            content_.bodyEnd = line.data();
            if (delimiter == Delimiter::Close) part_.terminator.Std().clear();
            break;
        }
    }
    part_.kind = ClassifyPart(content_);
}

bool BodyPhase::ReadLastDelimiter(std::string_view& line) {
    std::string_view rest(cursor_.position,
                          static_cast<std::size_t>(cursor_.end - cursor_.position));
    rest = rest.substr(0, rest.find_last_not_of('\0') + 1);
    if (Classify(rest) == Delimiter::None) return false;
    line = rest;
    cursor_.position = cursor_.end;
    return true;
}

BodyPhase::Delimiter BodyPhase::Classify(std::string_view line) const {
    if (!line.starts_with("--")) return Delimiter::None;
    line = line.substr(0, line.find_last_not_of(" \t") + 1);  // transport padding
    const std::u16string_view close = part_.terminator.View();
    const std::u16string_view separator =
        close.substr(0, close.size() - std::min<std::size_t>(close.size(), 2));
    const std::u16string_view own =
        opensBoundary_ ? content_.boundary.View() : std::u16string_view();
    // A unit of the ANSI code page takes one or two bytes: a line too short or too long for every
    // delimiter is not converted.
    const std::size_t shortest =
        opensBoundary_ ? std::min(separator.size(), own.size()) : separator.size();
    if (line.size() < shortest || line.size() > 2 * std::max(close.size(), own.size())) {
        return Delimiter::None;
    }
    std::u16string& text = cursor_.buffers->text;
    ThreadAnsiText(line, text);
    if (opensBoundary_ && text == own) return Delimiter::OwnBoundary;
    if (text == close) return Delimiter::Close;
    if (text == separator) return Delimiter::Separator;
    return Delimiter::None;
}

bool BodyPhase::BuildChildren() {
    const PartNesting nesting{nesting_.depth + 1, nesting_.messages,
                              Is(content_.subtype, u"digest")};
    while (!cursor_.AtEnd()) {
        std::unique_ptr<ParsedMessage> child = cursor_.buffers->TakePart();
        AssignCloseDelimiter(child->terminator, content_.boundary);
        child->parsePart(cursor_, nesting);
        const bool closed = child->terminator.IsEmpty();
        part_.children.push_back(std::move(child));
        if (closed) return true;
    }
    return false;
}

// A message written into the part as it stands; one that a transfer encoding hides is not read.
bool BodyPhase::HoldsMessage() const {
    return IsMessagePart(content_) && nesting_.depth <= kMaxPartDepth &&
           nesting_.messages < kMaxHeldMessages && !Is(content_.transferEncoding, u"base64") &&
           !Is(content_.transferEncoding, u"quoted-printable");
}

void BodyPhase::ReadHeldMessage() {
    const char* const bodyBegin = cursor_.position;
    const PartNesting nesting{nesting_.depth + 1, nesting_.messages + 1, false};
    std::unique_ptr<ParsedMessage> message = cursor_.buffers->TakePart();
    message->terminator = part_.terminator;
    message->parsePart(cursor_, nesting);
    if (message->content.bodyEnd != nullptr) {
        content_.bodyBegin = bodyBegin;
        content_.bodyEnd = message->content.bodyEnd;
    }
    // The message ended at the close delimiter that ends this part too.
    if (message->terminator.IsEmpty()) part_.terminator.Std().clear();
    part_.children.push_back(std::move(message));
}

void BodyPhase::KeepBodyToTheEnd(const char* begin) {
    content_.bodyBegin = begin;
    content_.bodyEnd = cursor_.end;
    cursor_.position = cursor_.end;
}

PartKind ClassifyPart(const ContentInfo& content) {
    if (Is(content.type, u"text")) {
        if (Is(content.subtype, u"plain")) return PartKind::PlainText;
        if (Is(content.subtype, u"html")) return PartKind::HtmlText;
        return PartKind::Other;
    }
    if (Is(content.type, u"image") ||
        (Is(content.type, u"application") && Is(content.subtype, u"octet-stream"))) {
        const bool embedded = !content.contentId.IsEmpty() || !content.contentLocation.IsEmpty();
        return embedded ? PartKind::EmbeddedBinary : PartKind::Binary;
    }
    if (!content.type.IsEmpty() && !Is(content.type, u"multipart") && !content.filename.IsEmpty()) {
        return PartKind::Attachment;
    }
    return PartKind::Other;
}

}  // namespace ombrel
