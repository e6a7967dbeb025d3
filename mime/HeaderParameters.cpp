#include "mime/HeaderParameters.h"

#include <algorithm>

#include "common/TextCompare.h"
#include "mime/BodyDecoding.h"
#include "mime/ParsedMessage.h"

namespace ombrel {
namespace {

constexpr std::size_t kMaxSectionDigits = 4;

std::u16string_view Trimmed(std::u16string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(u' '), text.size()));
    text.remove_suffix(text.size() - (text.find_last_not_of(u' ') + 1));
    return text;
}

// The value split at each ";" outside a quoted string (in which a backslash escapes the next
// character), each token trimmed; a ";" at the start or end, or next to another, makes no token.
void SplitTokens(std::u16string_view text, std::vector<std::u16string_view>& tokens) {
    tokens.clear();
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (quoted && text[at] == u'\\') {
            ++at;
        } else if (text[at] == u'"') {
            quoted = !quoted;
        } else if (text[at] == u';' && !quoted) {
            if (at > start) tokens.push_back(Trimmed(text.substr(start, at - start)));
            start = at + 1;
        }
    }
    if (text.size() > start) tokens.push_back(Trimmed(text.substr(start)));
}

// Into `text`: a quoted string's content with its escapes resolved; any other value (an
// unterminated quoted string too) without the quote characters at its start and end.
void Unquote(std::u16string_view value, std::u16string& text) {
    text.clear();
    if (value.starts_with(u'"')) {
        for (std::size_t at = 1; at < value.size(); ++at) {
            const char16_t unit = value[at];
            if (unit == u'\\' && at + 1 < value.size() &&
                (value[at + 1] == u'\\' || value[at + 1] == u'"')) {
                text += value[++at];
            } else if (unit == u'"') {
                return;
            } else {
                text += unit;
            }
        }
    }
    value.remove_prefix(std::min(value.find_first_not_of(u'"'), value.size()));
    value.remove_suffix(value.size() - (value.find_last_not_of(u'"') + 1));
    text.assign(value);
}

std::u16string Unquoted(std::u16string_view value) {
    std::u16string text;
    Unquote(value, text);
    return text;
}

int HexDigit(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
    return -1;
}

// The text of extended parameter values: their percent-encoded bytes are gathered and read in
// the charset of the value, as the body of a text part in that charset is; plain sections and
// characters beyond ASCII (which an extended value should not hold) are taken as they stand.
class ExtendedText {
  public:
    ExtendedText() { encoded_.type = u"text"; }

    void SetCharset(std::u16string_view charset) { encoded_.charset = charset; }

    void AddEncoded(std::u16string_view value) {
        for (std::size_t at = 0; at < value.size(); ++at) {
            const char16_t unit = value[at];
            const int high = at + 2 < value.size() ? HexDigit(value[at + 1]) : -1;
            const int low = high >= 0 ? HexDigit(value[at + 2]) : -1;
            if (unit == u'%' && low >= 0) {
                bytes_.push_back(static_cast<char>(high * 16 + low));
                at += 2;
            } else if (unit < 0x80) {
                bytes_.push_back(static_cast<char>(unit));
            } else {
                AddPlain(std::u16string_view(&value[at], 1));
            }
        }
    }

    void AddPlain(std::u16string_view value) {
        Flush();
        text_ += value;
    }

    std::u16string Text() {
        Flush();
        return std::move(text_);
    }

  private:
    // The gathered bytes read as the body of a text part in the value's charset.
    void Flush() {
        if (bytes_.empty()) return;
        encoded_.bodyBegin = bytes_.data();
        encoded_.bodyEnd = bytes_.data() + bytes_.size();
        std::string decoded;
        AppendBodyText(encoded_, text_, decoded);
        bytes_.clear();
    }

    ContentInfo encoded_;
    std::string bytes_;
    std::u16string text_;
};

// Adds the first section of an extended value: "charset'language'" before the encoded text.
void AddFirstEncoded(ExtendedText& text, std::u16string_view value) {
    const std::size_t charsetEnd = value.find(u'\'');
    const std::size_t languageEnd =
        charsetEnd == std::u16string_view::npos ? charsetEnd : value.find(u'\'', charsetEnd + 1);
    if (languageEnd != std::u16string_view::npos) {
        text.SetCharset(value.substr(0, charsetEnd));
        value.remove_prefix(languageEnd + 1);
    }
    text.AddEncoded(value);
}

// A type and a parameter that their writer did not separate by ";" ("application/pdf
// name=a.pdf"): the first word is the type, whatever follows it.
void SplitMissingSeparator(std::vector<std::u16string_view>& tokens) {
    const std::u16string_view first = tokens.front();
    const std::size_t blank = first.find(u' ');
    const std::size_t equals = first.find(u'=');
    if (equals == std::u16string_view::npos || blank > equals || first.starts_with(u'/')) return;
    const std::u16string_view parameter = Trimmed(first.substr(blank));
    if (parameter.starts_with(u'=')) return;
    tokens.front() = first.substr(0, blank);
    tokens.insert(tokens.begin() + 1, parameter);
}

}  // namespace

void HeaderParameters::Read(std::u16string_view value) {
    typeTokens_.clear();
    parameters_.clear();
    const auto unfolding = [](char16_t unit) {
        return unit == u'\t' || unit == u'\n' || unit == u'\r';
    };
    if (std::ranges::any_of(value, unfolding)) {
        unfolded_.assign(value);
        std::erase_if(unfolded_, [](char16_t unit) { return unit == u'\n' || unit == u'\r'; });
        std::ranges::replace(unfolded_, u'\t', u' ');
        value = unfolded_;
    }
    SplitTokens(value, tokens_);
    if (!tokens_.empty()) SplitMissingSeparator(tokens_);
    for (const std::u16string_view token : tokens_) {
        const std::size_t equals = token.find(u'=');
        if (equals == std::u16string_view::npos && !token.starts_with(u'/')) {
            typeTokens_.push_back(token);
            continue;
        }
        if (equals == 0 || equals == std::u16string_view::npos) continue;
        Parameter parameter{Trimmed(token.substr(0, equals)), Trimmed(token.substr(equals + 1)), -1,
                            false};
        std::u16string_view& name = parameter.name;
        parameter.extended = name.ends_with(u'*');
        if (parameter.extended) name.remove_suffix(1);
        const std::size_t star = name.rfind(u'*');
        const std::u16string_view digits =
            star == std::u16string_view::npos ? std::u16string_view() : name.substr(star + 1);
        if (!digits.empty() && digits.size() <= kMaxSectionDigits &&
            std::ranges::all_of(digits,
                                [](char16_t unit) { return unit >= u'0' && unit <= u'9'; })) {
            parameter.section = 0;
            for (const char16_t digit : digits)
                parameter.section = parameter.section * 10 + (digit - u'0');
            name = name.substr(0, star);
        }
        parameters_.push_back(parameter);
    }
}

bool HeaderParameters::Find(std::u16string_view name, std::u16string& value) const {
    const Parameter* plain = nullptr;
    const Parameter* extended = nullptr;
    std::vector<const Parameter*> sections;
    for (const Parameter& parameter : parameters_) {
        if (!EqualsIgnoringCase(parameter.name, name)) continue;
        if (parameter.section >= 0) {
            sections.push_back(&parameter);
        } else {
            (parameter.extended ? extended : plain) = &parameter;
        }
    }
    if (extended != nullptr) {
        ExtendedText text;
        AddFirstEncoded(text, Unquoted(extended->value));
        value = text.Text();
    } else if (!sections.empty()) {
        value = Joined(std::move(sections));
    } else if (plain != nullptr) {
        Unquote(plain->value, value);
    } else {
        return false;
    }
    return true;
}

// The sections in the order of their numbers, whatever their order in the value; of a number
// written twice the last section counts.
std::u16string HeaderParameters::Joined(std::vector<const Parameter*> sections) {
    std::ranges::stable_sort(sections, {}, &Parameter::section);
    ExtendedText text;
    for (std::size_t at = 0; at < sections.size(); ++at) {
        const Parameter& section = *sections[at];
        if (at + 1 < sections.size() && sections[at + 1]->section == section.section) continue;
        const std::u16string value = Unquoted(section.value);
        if (!section.extended) {
            text.AddPlain(value);
        } else if (section.section == 0) {
            AddFirstEncoded(text, value);
        } else {
            text.AddEncoded(value);
        }
    }
    return text.Text();
}

}  // namespace ombrel
