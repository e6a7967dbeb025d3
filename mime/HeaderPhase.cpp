#include "mime/HeaderPhase.h"

#include <string>

#include "charsets/ConversionRules.h"
#include "common/TextCompare.h"
#include "indexing/StopCheck.h"
#include "mime/ContentHeaders.h"
#include "mime/EncodedWords.h"
#include "mime/HeaderParameters.h"

namespace ombrel {
namespace {

// A header field: a name, ":" and a blank; the value follows that one blank (further blanks stay
// in it). A line whose first blank comes before its first colon is none.
bool SplitField(std::string_view header, std::string_view& name, std::string_view& value) {
    const std::size_t colon = header.find_first_of(": ");
    if (colon == std::string_view::npos || header[colon] != ':' || colon + 1 >= header.size()) {
        return false;
    }
    if (header[colon + 1] != ' ' && header[colon + 1] != '\t') return false;
    name = header.substr(0, colon);
    value = header.substr(colon + 2);
    return true;
}

// Where the header table puts a field's value.
void TakeField(std::string_view name, std::string_view value, RawHeaders& raw, ContentInfo& content,
               ParseBuffers& buffers) {
    const struct {
        std::string_view name;
        std::optional<std::string_view>& target;
    } rawFields[] = {
        {"From", raw.from},
        {"To", raw.to},
        {"Reply-To", raw.replyTo},
        {"Subject", raw.subject},
        {"CC", raw.cc},
        {"BCC", raw.bcc},
        {"Content-Disposition", raw.contentDisposition},
    };
    for (const auto& field : rawFields) {
        if (EqualsIgnoringCase(name, field.name)) {
            field.target = value;
            return;
        }
    }
    if (EqualsIgnoringCase(name, "Content-Type")) {
        raw.contentType = value;
        ThreadAnsiText(value, buffers.text);
        parseContentType(content, buffers.text, buffers.parameters);
    } else if (EqualsIgnoringCase(name, "Content-Transfer-Encoding")) {
        ThreadAnsiText(value, content.transferEncoding.Std());
    } else if (EqualsIgnoringCase(name, "Content-Id")) {
        ThreadAnsiText(value, content.contentId.Std());
    } else if (EqualsIgnoringCase(name, "Content-Location")) {
        ThreadAnsiText(value, content.contentLocation.Std());
    }
}

// Reads header lines until the empty line that ends the block, or until `endsBlock` says that
// the header just read is not part of the block, which leaves the cursor before that header.
template <typename EndsBlock>
RawHeaders ReadHeaders(MessageCursor& cursor, ContentInfo& content, EndsBlock endsBlock) {
    RawHeaders raw;
    std::string_view header;
    for (const char* start = cursor.position; ReadHeader(cursor, header) == HeaderRead::Header;
         start = cursor.position) {
        CheckForStop();
        std::string_view name;
        std::string_view value;
        if (endsBlock(header, start)) {
            cursor.position = start;
            break;
        }
        if (!header.starts_with("--") && SplitField(header, name, value)) {
            TakeField(name, value, raw, content, *cursor.buffers);
        }
    }
    return raw;
}

}  // namespace

RawHeaders ReadHeaderBlock(MessageCursor& cursor, ContentInfo& content) {
    return ReadHeaders(cursor, content, [](std::string_view, const char*) { return false; });
}

RawHeaders ReadHeldHeaderBlock(MessageCursor& cursor, ContentInfo& content,
                               const WideString& terminator) {
    const char* const first = cursor.position;
    const std::u16string_view close = terminator.View();
    const std::u16string_view separator =
        close.substr(0, close.size() - std::min<std::size_t>(close.size(), 2));
    return ReadHeaders(cursor, content, [&](std::string_view header, const char* start) {
        // A name and a colon before any blank, as a header field has even without its blank.
        const std::size_t colon = header.find_first_of(": ");
        const bool named = colon != std::string_view::npos && header[colon] == ':';
        if (start == first && !named && !header.starts_with("From ")) return true;
        if (close.empty() || !header.starts_with("--")) return false;
        std::u16string& line = cursor.buffers->text;
        ThreadAnsiText(header, line);
        return line == close || line == separator;
    });
}

void DecodeHeaders(const RawHeaders& headers, ParsedMessage& part, ParseBuffers& buffers) {
    const auto decodeInto = [&](std::string_view raw, std::u16string& text) {
        decodeHeaderText(raw, part.content.charset, text, buffers.headerText);
    };
    const auto decode = [&](const std::optional<std::string_view>& raw, WideString& field) {
        if (raw) decodeInto(*raw, field.Std());
    };
    decode(headers.from, part.from);
    decode(headers.to, part.to);
    decode(headers.replyTo, part.replyTo);
    decode(headers.subject, part.subject);
    decode(headers.cc, part.cc);
    decode(headers.bcc, part.bcc);
    if (headers.contentDisposition) {
        decodeInto(*headers.contentDisposition, buffers.text);
        parseContentDisposition(part.content, buffers.text, buffers.parameters);
    }
    // Only a part that can be an attachment is named: text is content, a multipart has parts.
    const bool nameable = !EqualsIgnoringCase(part.content.type.View(), u"text") &&
                          !EqualsIgnoringCase(part.content.type.View(), u"multipart");
    if (part.content.filename.IsEmpty() && headers.contentType && nameable) {
        decodeInto(*headers.contentType, buffers.text);
        buffers.parameters.Read(buffers.text);
        buffers.parameters.Find(u"name", part.content.filename.Std());
    }
}

}  // namespace ombrel
