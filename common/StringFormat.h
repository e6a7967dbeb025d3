#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace ombrel {

// One value for printf-style formatting: an integer, one UTF-16 unit or a UTF-16 text.
class FormatArg {
  public:
    enum class Kind { Signed, Unsigned, Character, Text };

    template <typename T>
    requires std::is_integral_v<T> &&(!std::is_same_v<T, char16_t>)&&(!std::is_same_v<T, bool>)
        FormatArg(T value)  // NOLINT(google-explicit-constructor): arguments convert implicitly
        : kind_(std::is_signed_v<T> ? Kind::Signed : Kind::Unsigned),
          signed_(static_cast<std::int64_t>(value)),
          unsigned_(static_cast<std::uint64_t>(value)) {}
    FormatArg(char16_t unit) : kind_(Kind::Character), unsigned_(unit) {}  // NOLINT
    FormatArg(const char16_t* text)  // NOLINT: a null text formats as "(null)"
        : kind_(Kind::Text), text_(text != nullptr ? std::u16string_view(text) : u"(null)") {}
    FormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}  // NOLINT
    template <typename S>
    requires requires(const S& s) {
        { s.View() } -> std::convertible_to<std::u16string_view>;
    }
    FormatArg(const S& text) : kind_(Kind::Text), text_(text.View()) {}  // NOLINT

    Kind GetKind() const { return kind_; }
    std::int64_t Signed() const { return signed_; }
    std::uint64_t Unsigned() const { return unsigned_; }
    std::u16string_view Text() const { return text_; }

  private:
    Kind kind_;
    std::int64_t signed_ = 0;
    std::uint64_t unsigned_ = 0;
    std::u16string_view text_;
};

// printf-style formatting of UTF-16 text: flags "-" and "0", a width, a precision, the length
// modifiers h, l, ll (accepted and ignored) and the conversions d, i, u, x, X, c, s, S and %%.
// A null pattern, a missing argument or an argument of the wrong kind raises CAtlException with
// E_INVALIDARG.
std::u16string FormatString(const char16_t* pattern, std::initializer_list<FormatArg> args);

}  // namespace ombrel
