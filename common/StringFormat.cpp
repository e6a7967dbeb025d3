#include "common/StringFormat.h"

#include <algorithm>
#include <new>
#include <vector>

#include "common/Exceptions.h"

namespace ombrel {
namespace {

struct Spec {
    bool leftAlign = false;
    bool zeroPad = false;
    std::size_t width = 0;
    int precision = -1;
    char16_t conversion = 0;
};

[[noreturn]] void ThrowInvalid() {
    throw CAtlException(hr::kInvalidArg);
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::size_t ReadNumber(const char16_t*& p) {
    std::size_t value = 0;
    while (IsDigit(*p)) {
        value = std::min<std::size_t>(value * 10 + static_cast<std::size_t>(*p - u'0'), 1U << 20);
        ++p;
    }
    return value;
}

// Reads the part of a conversion after the "%"; p is left after the conversion letter.
Spec ReadSpec(const char16_t*& p) {
    Spec spec;
    for (;; ++p) {
        if (*p == u'-') {
            spec.leftAlign = true;
        } else if (*p == u'0') {
            spec.zeroPad = true;
        } else {
            break;
        }
    }
    spec.width = ReadNumber(p);
    if (*p == u'.') {
        ++p;
        spec.precision = static_cast<int>(ReadNumber(p));
    }
    while (*p == u'h' || *p == u'l') ++p;
    if (*p == 0) ThrowInvalid();
    spec.conversion = *p++;
    return spec;
}

std::u16string Digits(std::uint64_t value, unsigned base, bool upper) {
    const char16_t* letters = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string digits;
    do {
        digits.push_back(letters[value % base]);
        value /= base;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::u16string Number(const Spec& spec, const FormatArg& arg) {
    if (arg.GetKind() != FormatArg::Kind::Signed && arg.GetKind() != FormatArg::Kind::Unsigned) {
        ThrowInvalid();
    }
    bool negative = false;
    std::uint64_t magnitude = arg.Unsigned();
    const bool isSigned = spec.conversion == u'd' || spec.conversion == u'i';
    if (isSigned && arg.GetKind() == FormatArg::Kind::Signed && arg.Signed() < 0) {
        negative = true;
        magnitude = 0 - static_cast<std::uint64_t>(arg.Signed());
    } else if (!isSigned && arg.GetKind() == FormatArg::Kind::Signed) {
        // As printf does for a 32-bit argument: the bits read as unsigned.
        magnitude = static_cast<std::uint32_t>(arg.Signed());
    }
    const unsigned base = isSigned || spec.conversion == u'u' ? 10 : 16;
    std::u16string text = Digits(magnitude, base, spec.conversion == u'X');
    if (spec.precision >= 0 && text.size() < static_cast<std::size_t>(spec.precision)) {
        text.insert(0, static_cast<std::size_t>(spec.precision) - text.size(), u'0');
    }
    if (spec.zeroPad && !spec.leftAlign && spec.precision < 0) {
        const std::size_t used = text.size() + (negative ? 1 : 0);
        if (used < spec.width) text.insert(0, spec.width - used, u'0');
    }
    if (negative) text.insert(0, 1, u'-');
    return text;
}

std::u16string Convert(const Spec& spec, const FormatArg& arg) {
    switch (spec.conversion) {
        case u'd':
        case u'i':
        case u'u':
        case u'x':
        case u'X':
            return Number(spec, arg);
        case u'c':
            if (arg.GetKind() == FormatArg::Kind::Text) ThrowInvalid();
            return {static_cast<char16_t>(arg.Unsigned())};
        case u's':
        case u'S': {
            if (arg.GetKind() != FormatArg::Kind::Text) ThrowInvalid();
            std::u16string_view text = arg.Text();
            if (spec.precision >= 0) {
                text = text.substr(0, static_cast<std::size_t>(spec.precision));
            }
            return std::u16string(text);
        }
        default:
            ThrowInvalid();
    }
}

std::u16string Expand(const char16_t* pattern, std::initializer_list<FormatArg> args) {
    std::u16string out;
    const auto* next = args.begin();
    for (const char16_t* p = pattern; *p != 0;) {
        if (*p != u'%') {
            out.push_back(*p++);
            continue;
        }
        ++p;
        if (*p == u'%') {
            out.push_back(*p++);
            continue;
        }
        const Spec spec = ReadSpec(p);
        if (next == args.end()) ThrowInvalid();
        std::u16string field = Convert(spec, *next++);
        if (field.size() < spec.width) {
            const std::size_t pad = spec.width - field.size();
            field.insert(spec.leftAlign ? field.size() : 0, pad, u' ');
        }
        out += field;
    }
    return out;
}

}  // namespace

std::u16string FormatString(const char16_t* pattern, std::initializer_list<FormatArg> args) {
    if (pattern == nullptr) ThrowInvalid();
    try {
        return Expand(pattern, args);
    } catch (const std::bad_alloc&) {
        throw CAtlException(hr::kOutOfMemory);
    }
}

}  // namespace ombrel
