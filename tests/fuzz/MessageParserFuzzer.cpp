// The whole parse of a message, the collection of its parts and of its content candidates, and the
// decoding of every body.
#include <vector>

#include "mime/BodyDecoding.h"
#include "mime/ParsedMessage.h"
#include "tests/fuzz/FuzzPlatform.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(MessageParser) {
    using namespace ombrel;
    fuzz::FuzzPlatform platform(data, size);
    // The parse reads no byte outside the text: an exact copy lets the sanitizer see any read past
    // it.
    const std::vector<char> text(data, data + size);
    ParsedMessage message;
    message.parse(text.data(), text.size());
    for (const PartKind kind : {PartKind::Other, PartKind::PlainText, PartKind::HtmlText,
                                PartKind::Binary, PartKind::EmbeddedBinary, PartKind::Attachment}) {
        std::vector<const ParsedMessage*> parts;
        collectParts(message, kind, parts);
        for (const ParsedMessage* part : parts) {
            const std::string_view body = part->content.Body();
            if (!body.empty() && (body.data() < text.data() ||
                                  body.data() + body.size() > text.data() + text.size())) {
                __builtin_trap();  // a body range outside the text
            }
            WideString decoded;
            decodeBody(*part, decoded);
        }
    }
    std::vector<const ParsedMessage*> html;
    std::vector<const ParsedMessage*> plain;
    collectTextParts(message, html, plain);
    message.reset();
    return 0;
}
