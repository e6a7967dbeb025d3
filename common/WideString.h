#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/StringFormat.h"

namespace ombrel {

// The id of a text in the library's string table.
struct StringId {
    std::uint32_t value;
};

// A counted, zero-terminated UTF-16 string value. Indices count UTF-16 units from 0. Range errors
// raise CAtlException with E_INVALIDARG, exhausted memory raises it with E_OUTOFMEMORY.
class WideString {
  public:
    WideString() = default;
    WideString(const char16_t* text);  // NOLINT(google-explicit-constructor): a null text is empty
    WideString(std::u16string_view text);  // NOLINT(google-explicit-constructor)
    explicit WideString(std::u16string&& text) noexcept : text_(std::move(text)) {}
    // The text of a string-table entry, empty when missing (defined with LoadResourceString).
    explicit WideString(StringId id);

    WideString& operator=(const char16_t* text);
    WideString& operator=(std::u16string_view text);  // in place: the memory held is reused
    WideString& operator+=(const WideString& text);
    WideString& operator+=(const char16_t* text);
    WideString& operator+=(char16_t unit);

    friend WideString operator+(const WideString& left, const WideString& right);
    friend WideString operator+(const WideString& left, const char16_t* right);
    friend WideString operator+(const char16_t* left, const WideString& right);
    friend WideString operator+(const WideString& left, char16_t right);
    friend bool operator==(const WideString& left, const WideString& right) = default;

    // Index of the first occurrence of text, or -1; a null text gives -1.
    int Find(const char16_t* text) const;
    // Replaces every non-overlapping occurrence, left to right; returns the count replaced. An
    // empty or null old text replaces nothing.
    int Replace(const char16_t* oldText, const char16_t* newText);
    // Inserts text before position (0 to length).
    void Insert(int position, const char16_t* text);
    // Removes up to count units from position (0 to length).
    void Delete(int position, int count);
    // The unit at position; the position equal to the length gives the terminating zero.
    char16_t CharAt(int position) const;

    // Replaces the content with the printf-style formatting of the values (see FormatString).
    template <typename... Args>
    void Format(const char16_t* pattern, const Args&... values) {
        Assign(FormatString(pattern, {FormatArg(values)...}));
    }
    template <typename... Args>
    static WideString Formatted(const char16_t* pattern, const Args&... values) {
        WideString result;
        result.Format(pattern, values...);
        return result;
    }

    int Length() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    const char16_t* CStr() const { return text_.c_str(); }
    std::u16string_view View() const { return text_; }
    const std::u16string& Std() const { return text_; }
    std::u16string& Std() { return text_; }  // to change in place, reusing the memory held

  private:
    void Assign(std::u16string&& text) noexcept { text_ = std::move(text); }

    std::u16string text_;
};

}  // namespace ombrel
