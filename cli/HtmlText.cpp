#include "cli/HtmlText.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != prefix[i]) return false;
    }
    return true;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    std::u16string units;
    if (code < 0x10000) {
        units += static_cast<char16_t>(code);
    } else {
        units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
    out += platform::posix::WideToUtf8(units);
}

struct NamedReference {
    std::string_view name;
    std::uint32_t code;
};

constexpr std::array<NamedReference, 12> kNamedReferences = {{{"amp", '&'},
                                                              {"lt", '<'},
                                                              {"gt", '>'},
                                                              {"quot", '"'},
                                                              {"apos", '\''},
                                                              {"euro", 0x20AC},
                                                              {"ndash", 0x2013},
                                                              {"mdash", 0x2014},
                                                              {"lsquo", 0x2018},
                                                              {"rsquo", 0x2019},
                                                              {"ldquo", 0x201C},
                                                              {"rdquo", 0x201D}}};

// The names of U+00A0 to U+00FF, in order.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

std::optional<std::uint32_t> NamedCode(std::string_view name) {
    for (const NamedReference& reference : kNamedReferences) {
        if (reference.name == name) return reference.code;
    }
    for (std::size_t i = 0; i < kLatin1Names.size(); ++i) {
        if (kLatin1Names[i] == name) return static_cast<std::uint32_t>(0xA0 + i);
    }
    return std::nullopt;
}

// Decodes the character reference at `html` (which starts with '&') into `out`; the bytes it
// took, or 0 when it is not one (the '&' then stands for itself).
std::size_t DecodeReference(std::string_view html, std::string& out) {
    const std::size_t end = html.find(';');
    if (end == std::string_view::npos || end < 2 || end > 10) return 0;
    const std::string_view name = html.substr(1, end - 1);
    if (name[0] == '#') {
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const std::string digits(name.substr(hex ? 2 : 1));
        if (digits.empty()) return 0;
        char* stop = nullptr;
        const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
        if (*stop != '\0') return 0;
        AppendUtf8(out, code > 0x10FFFF ? 0xFFFD : static_cast<std::uint32_t>(code));
        return end + 1;
    }
    const std::optional<std::uint32_t> code = NamedCode(name);
    if (!code) return 0;
    AppendUtf8(out, *code == 0xA0 ? ' ' : *code);  // a no-break space separates words
    return end + 1;
}

// Where the markup at `html` (which starts with '<') ends, past its last byte.
std::size_t SkipMarkup(std::string_view html) {
    if (html.starts_with("<!--")) {
        const std::size_t end = html.find("-->", 4);
        return end == std::string_view::npos ? html.size() : end + 3;
    }
    for (const std::string_view element : {"script", "style"}) {
        const std::string open = std::string("<") + std::string(element);
        if (StartsWithNoCase(html, open) && html.size() > open.size() &&
            (html[open.size()] == '>' || html[open.size()] == ' ' || html[open.size()] == '\t' ||
             html[open.size()] == '\n' || html[open.size()] == '\r')) {
            const std::string close = "</" + std::string(element);
            for (std::size_t at = html.find('<', 1); at != std::string_view::npos;
                 at = html.find('<', at + 1)) {
                if (StartsWithNoCase(html.substr(at), close)) {
                    const std::size_t end = html.find('>', at);
                    return end == std::string_view::npos ? html.size() : end + 1;
                }
            }
            return html.size();
        }
    }
    const std::size_t end = html.find('>');
    return end == std::string_view::npos ? html.size() : end + 1;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

}  // namespace

std::string HtmlText(std::string_view html) {
    std::string text;
    text.reserve(html.size());
    bool pendingSpace = false;
    auto separate = [&] { pendingSpace = !text.empty(); };
    std::size_t at = 0;
    while (at < html.size()) {
        const char c = html[at];
        if (c == '<') {
            at += SkipMarkup(html.substr(at));
            separate();  // an element boundary may separate words
            continue;
        }
        if (IsSpace(c)) {
            separate();
            ++at;
            continue;
        }
        if (pendingSpace) text += ' ';
        pendingSpace = false;
        const std::size_t taken = c == '&' ? DecodeReference(html.substr(at), text) : 0;
        if (taken == 0) {
            text += c;
            ++at;
        } else {
            at += taken;
        }
    }
    return text;
}

}  // namespace ombrel::cli
