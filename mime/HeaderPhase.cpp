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

// A header field: a name and ":" (see FieldNameLength). The value follows the colon and the one
// blank after it where there is one (further blanks stay in it).
bool SplitField(std::string_view header, std::string_view& name, std::string_view& value) {
    const std::size_t colon = FieldNameLength(header);
    if (colon == std::string_view::npos) return false;
    name = header.substr(0, colon);
    value = header.substr(colon + 1);
    if (value.starts_with(' ') || value.starts_with('\t')) value.remove_prefix(1);
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

}  // namespace

RawHeaders ReadHeaderBlock(MessageCursor& cursor, ContentInfo& content) {
    RawHeaders raw;
    std::string_view header;
    for (const char* start = cursor.position; ReadHeader(cursor, header) == HeaderRead::Header;
         start = cursor.position) {
        CheckForStop();
        if (header.starts_with("From ")) continue;  // an mbox envelope line
        std::string_view name;
        std::string_view value;
        if (!SplitField(header, name, value)) {
            cursor.position = start;  // the headers ended without their empty line: body text
            break;
        }
        TakeField(name, value, raw, content, *cursor.buffers);
    }
    return raw;
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
