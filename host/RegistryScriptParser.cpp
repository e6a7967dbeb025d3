// Reading of registration scripts: a lexer of words, quoted texts and the marks { } =, and a
// recursive-descent parser of roots, keys and values.
#include <cstring>

#include "host/RegistryScript.h"

namespace ombrel {
namespace {

using Key = RegistryScript::Key;
using KeyMode = RegistryScript::KeyMode;
using Value = RegistryScript::Value;
namespace reg = platform::reg;

struct Token {
    enum class Kind { Word, Quoted, Open, Close, Equals, End };
    Kind kind = Kind::End;
    std::u16string text;
};

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsMark(char16_t c) {
    return c == u'{' || c == u'}' || c == u'=' || c == u'\'';
}

char16_t Folded(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

bool SameWord(std::u16string_view left, std::u16string_view right) {
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (Folded(left[i]) != Folded(right[i])) return false;
    }
    return true;
}

class Lexer {
  public:
    Lexer(std::u16string_view text, const RegistryScript::Replacements& replacements)
        : text_(text), replacements_(replacements) {}

    // The next token; false on an unclosed quote or an unknown replacement.
    bool Next(Token& token) {
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
        token.text.clear();
        if (at_ >= text_.size()) {
            token.kind = Token::Kind::End;
            return true;
        }
        const char16_t c = text_[at_];
        if (c == u'{' || c == u'}' || c == u'=') {
            ++at_;
            token.kind = c == u'{'   ? Token::Kind::Open
                         : c == u'}' ? Token::Kind::Close
                                     : Token::Kind::Equals;
            return true;
        }
        if (c == u'\'') {
            token.kind = Token::Kind::Quoted;
            return ReadQuoted(token.text);
        }
        token.kind = Token::Kind::Word;
        return ReadWord(token.text);
    }

  private:
    bool ReadQuoted(std::u16string& out) {
        ++at_;
        for (;;) {
            if (at_ >= text_.size()) return false;
            const char16_t c = text_[at_];
            if (c == u'\'') {
                if (at_ + 1 >= text_.size() || text_[at_ + 1] != u'\'') {
                    ++at_;
                    return true;
                }
                out.push_back(u'\'');
                at_ += 2;
            } else if (c == u'%') {
                if (!Replace(out)) return false;
            } else {
                out.push_back(c);
                ++at_;
            }
        }
    }

    bool ReadWord(std::u16string& out) {
        while (at_ < text_.size() && !IsSpace(text_[at_]) && !IsMark(text_[at_])) {
            if (text_[at_] == u'%') {
                if (!Replace(out)) return false;
            } else {
                out.push_back(text_[at_++]);
            }
        }
        return true;
    }

    // At a "%": appends the replacement of %NAME%, or one "%" for "%%".
    bool Replace(std::u16string& out) {
        const std::size_t close = text_.find(u'%', at_ + 1);
        if (close == std::u16string_view::npos) return false;
        const std::u16string name(text_.substr(at_ + 1, close - at_ - 1));
        at_ = close + 1;
        if (name.empty()) {
            out.push_back(u'%');
            return true;
        }
        auto found = replacements_.find(name);
        if (found == replacements_.end()) return false;
        out += found->second;
        return true;
    }

    std::u16string_view text_;
    const RegistryScript::Replacements& replacements_;
    std::size_t at_ = 0;
};

std::optional<std::uint32_t> ParseNumber(std::u16string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == u'0' && Folded(text[1]) == u'x') {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        const char16_t f = Folded(c);
        unsigned digit = 0;
        if (f >= u'0' && f <= u'9') {
            digit = f - u'0';
        } else if (base == 16 && f >= u'a' && f <= u'f') {
            digit = f - u'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFU) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::vector<std::uint8_t> Bytes(const void* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    if (size != 0) std::memcpy(bytes.data(), data, size);
    return bytes;
}

class Parser {
  public:
    Parser(std::u16string_view text, const RegistryScript::Replacements& replacements)
        : lexer_(text, replacements) {}

    std::optional<std::vector<RegistryScript::Root>> Script() {
        std::vector<RegistryScript::Root> roots;
        if (!Advance()) return std::nullopt;
        while (token_.kind != Token::Kind::End) {
            RegistryScript::Root root;
            if (!ParseRootName(root.handle) || !Advance() || !Expect(Token::Kind::Open) ||
                !ParseBody(root.keys, nullptr)) {
                return std::nullopt;
            }
            roots.push_back(std::move(root));
        }
        return roots;
    }

  private:
    bool Advance() { return lexer_.Next(token_); }

    bool Expect(Token::Kind kind) { return token_.kind == kind && Advance(); }

    [[nodiscard]] bool IsKeyword(std::u16string_view word) const {
        return token_.kind == Token::Kind::Word && SameWord(token_.text, word);
    }

    bool ParseRootName(platform::Registry::Key& handle) const {
        if (IsKeyword(u"HKCR") || IsKeyword(u"HKEY_CLASSES_ROOT")) {
            handle = platform::Registry::kClassesRoot;
        } else if (IsKeyword(u"HKCU") || IsKeyword(u"HKEY_CURRENT_USER")) {
            handle = platform::Registry::kCurrentUser;
        } else {
            return false;
        }
        return true;
    }

    bool ParseName(std::u16string& name) {
        if (token_.kind != Token::Kind::Word && token_.kind != Token::Kind::Quoted) return false;
        name = token_.text;
        return !name.empty() && Advance();
    }

    // At the type letter: "s 'text'" or "d 'number'".
    bool ParseTypedData(Value& value) {
        const bool isText = IsKeyword(u"s");
        if (!isText && !IsKeyword(u"d")) return false;
        if (!Advance() || token_.kind != Token::Kind::Quoted) return false;
        if (isText) {
            value.type = reg::kTypeString;
            value.data = Bytes(token_.text.c_str(), (token_.text.size() + 1) * sizeof(char16_t));
        } else {
            const std::optional<std::uint32_t> number = ParseNumber(token_.text);
            if (!number) return false;
            value.type = reg::kTypeDword;
            value.data = Bytes(&*number, sizeof *number);
        }
        return Advance();
    }

    // After a "{": keys and, inside a key, named values, up to the closing "}".
    bool ParseBody(std::vector<Key>& keys, std::vector<Value>* values) {
        while (token_.kind != Token::Kind::Close) {
            if (token_.kind == Token::Kind::End) return false;
            if (values != nullptr && IsKeyword(u"val")) {
                Value value;
                if (!Advance() || !ParseName(value.name) || !Expect(Token::Kind::Equals) ||
                    !ParseTypedData(value)) {
                    return false;
                }
                values->push_back(std::move(value));
                continue;
            }
            Key key;
            if (!ParseKey(key)) return false;
            keys.push_back(std::move(key));
        }
        return Advance();
    }

    bool ParseKey(Key& key) {
        if (IsKeyword(u"NoRemove") || IsKeyword(u"ForceRemove")) {
            key.mode = IsKeyword(u"NoRemove") ? KeyMode::NoRemove : KeyMode::ForceRemove;
            if (!Advance()) return false;
        }
        if (!ParseName(key.name)) return false;
        if (token_.kind == Token::Kind::Equals) {
            Value defaultValue;
            if (!Advance() || !ParseTypedData(defaultValue)) return false;
            key.values.push_back(std::move(defaultValue));
        }
        if (token_.kind != Token::Kind::Open) return true;
        return Advance() && ParseBody(key.subkeys, &key.values);
    }

    Lexer lexer_;
    Token token_;
};

}  // namespace

std::optional<RegistryScript> RegistryScript::Parse(std::u16string_view text,
                                                    const Replacements& replacements) {
    std::optional<std::vector<Root>> roots = Parser(text, replacements).Script();
    if (!roots) return std::nullopt;
    return RegistryScript(std::move(*roots));
}

}  // namespace ombrel
