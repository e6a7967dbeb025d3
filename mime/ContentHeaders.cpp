#include "mime/ContentHeaders.h"

namespace ombrel {

void parseContentType(ContentInfo& content, std::u16string_view value,
                      HeaderParameters& parameters) {
    parameters.Read(value);
    for (const std::u16string_view token : parameters.TypeTokens()) {
        const std::size_t slash = token.find(u'/');
        content.type =
            slash == std::u16string_view::npos ? std::u16string_view() : token.substr(0, slash);
        content.subtype = slash == std::u16string_view::npos ? token : token.substr(slash + 1);
    }
    parameters.Find(u"charset", content.charset.Std());
    std::u16string& boundary = content.boundary.Std();
    if (parameters.Find(u"boundary", boundary)) boundary.insert(0, u"--");
}

void parseContentDisposition(ContentInfo& content, std::u16string_view value,
                             HeaderParameters& parameters) {
    parameters.Read(value);
    parameters.Find(u"filename", content.filename.Std());
}

}  // namespace ombrel
