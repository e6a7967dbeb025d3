#include "mime/ContentHeaders.h"

#include "mime/HeaderParameters.h"

namespace ombrel {

void parseContentType(ContentInfo& content, const WideString& value) {
    const HeaderParameters parameters(value);
    for (const std::u16string_view token : parameters.TypeTokens()) {
        const std::size_t slash = token.find(u'/');
        content.type = slash == std::u16string_view::npos ? WideString() : token.substr(0, slash);
        content.subtype = slash == std::u16string_view::npos ? token : token.substr(slash + 1);
    }
    if (std::optional<WideString> charset = parameters.Find(u"charset")) {
        content.charset = std::move(*charset);
    }
    if (std::optional<WideString> boundary = parameters.Find(u"boundary")) {
        content.boundary = u"--" + *boundary;
    }
}

void parseContentDisposition(ContentInfo& content, const WideString& value) {
    if (std::optional<WideString> filename = HeaderParameters(value).Find(u"filename")) {
        content.filename = std::move(*filename);
    }
}

}  // namespace ombrel
