#include "mime/ContentHeaders.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/TextCompare.h"

namespace ombrel {
namespace {

// The value without TAB, LF and CR, split at runs of ";" and with each token's blanks trimmed.
std::vector<std::u16string_view> Tokens(std::u16string& value) {
    std::erase_if(value,
                  [](char16_t unit) { return unit == u'\t' || unit == u'\n' || unit == u'\r'; });
    std::vector<std::u16string_view> tokens;
    const std::u16string_view text(value);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t separator = std::min(text.find(u';', at), text.size());
        if (separator > at) {
            std::u16string_view token = text.substr(at, separator - at);
            token.remove_prefix(std::min(token.find_first_not_of(u' '), token.size()));
            token.remove_suffix(token.size() - (token.find_last_not_of(u' ') + 1));
            tokens.push_back(token);
        }
        at = separator + 1;
    }
    return tokens;
}

std::u16string_view WithoutQuotes(std::u16string_view value) {
    value.remove_prefix(std::min(value.find_first_not_of(u'"'), value.size()));
    value.remove_suffix(value.size() - (value.find_last_not_of(u'"') + 1));
    return value;
}

// A parameter token: the name before its first "=" (which is not the first character), the value
// after it; false for any other token.
bool SplitParameter(std::u16string_view token, std::u16string_view& name,
                    std::u16string_view& value) {
    const std::size_t equals = token.find(u'=');
    if (equals == 0 || equals == std::u16string_view::npos) return false;
    name = token.substr(0, equals);
    value = WithoutQuotes(token.substr(equals + 1));
    return true;
}

void AssignMediaType(ContentInfo& content, std::u16string_view token) {
    const std::size_t slash = token.find(u'/');
    if (slash == std::u16string_view::npos) {
        content.type = u"";
        content.subtype = WideString(token);
    } else {
        content.type = WideString(token.substr(0, slash));
        content.subtype = WideString(token.substr(slash + 1));
    }
}

}  // namespace

void parseContentType(ContentInfo& content, const WideString& value) {
    std::u16string text = value.Std();
    for (const std::u16string_view token : Tokens(text)) {
        if (token.find(u'=') == std::u16string_view::npos && !token.starts_with(u'/')) {
            AssignMediaType(content, token);
            continue;
        }
        std::u16string_view name;
        std::u16string_view parameter;
        if (!SplitParameter(token, name, parameter)) continue;
        if (EqualsIgnoringCase(name, u"charset")) {
            content.charset = WideString(parameter);
        } else if (EqualsIgnoringCase(name, u"boundary")) {
            content.boundary = u"--" + WideString(parameter);
        }
    }
}

void parseContentDisposition(ContentInfo& content, const WideString& value) {
    std::u16string text = value.Std();
    for (const std::u16string_view token : Tokens(text)) {
        std::u16string_view name;
        std::u16string_view parameter;
        if (SplitParameter(token, name, parameter) && EqualsIgnoringCase(name, u"filename")) {
            content.filename = WideString(parameter);
        }
    }
}

}  // namespace ombrel
