#include "mime/HeaderPhase.h"

#include <string>

#include "charsets/ConversionRules.h"
#include "common/TextCompare.h"
#include "indexing/StopCheck.h"
#include "mime/ContentHeaders.h"
#include "mime/EncodedWords.h"

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
void TakeField(std::string_view name, std::string_view value, RawHeaders& raw,
               ContentInfo& content) {
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
        raw.hasContentType = true;
        parseContentType(content, ThreadAnsiText(value));
    } else if (EqualsIgnoringCase(name, "Content-Transfer-Encoding")) {
        content.transferEncoding = ThreadAnsiText(value);
    } else if (EqualsIgnoringCase(name, "Content-Id")) {
        content.contentId = ThreadAnsiText(value);
    } else if (EqualsIgnoringCase(name, "Content-Location")) {
        content.contentLocation = ThreadAnsiText(value);
    }
}

}  // namespace

RawHeaders ReadHeaderBlock(MessageCursor& cursor, ContentInfo& content) {
    RawHeaders raw;
    std::string_view header;
    for (HeaderRead read; (read = ReadHeader(cursor, header)) == HeaderRead::Header;) {
        CheckForStop();
        std::string_view name;
        std::string_view value;
        if (!header.starts_with("--") && SplitField(header, name, value)) {
            TakeField(name, value, raw, content);
        }
    }
    return raw;
}

void DecodeHeaders(const RawHeaders& headers, ParsedMessage& part) {
    const auto decoded = [&](std::string_view raw) {
        return decodeHeaderText(raw.data(), raw.size(), part.content.charset);
    };
    const auto decode = [&](const std::optional<std::string_view>& raw, WideString& field) {
        if (raw) field = decoded(*raw);
    };
    decode(headers.from, part.from);
    decode(headers.to, part.to);
    decode(headers.replyTo, part.replyTo);
    decode(headers.subject, part.subject);
    decode(headers.cc, part.cc);
    decode(headers.bcc, part.bcc);
    if (headers.contentDisposition) {
        parseContentDisposition(part.content, decoded(*headers.contentDisposition));
    }
}

}  // namespace ombrel
