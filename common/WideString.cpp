#include "common/WideString.h"

#include <new>
#include <stdexcept>

#include "common/Exceptions.h"

namespace ombrel {
namespace {

// Runs a step that may allocate and reports exhausted memory as the string type does.
template <typename Step>
auto Allocating(Step step) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        throw CAtlException(hr::kOutOfMemory);
    } catch (const std::length_error&) {
        throw CAtlException(hr::kOutOfMemory);
    }
}

std::u16string_view ViewOf(const char16_t* text) {
    return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

void CheckPosition(int position, std::size_t length) {
    if (position < 0 || static_cast<std::size_t>(position) > length) {
        throw CAtlException(hr::kInvalidArg);
    }
}

}  // namespace

WideString::WideString(const char16_t* text)
    : text_(Allocating([&] { return std::u16string(ViewOf(text)); })) {}

WideString::WideString(std::u16string_view text)
    : text_(Allocating([&] { return std::u16string(text); })) {}

WideString& WideString::operator=(const char16_t* text) {
    Allocating([&] { text_.assign(ViewOf(text)); });
    return *this;
}

WideString& WideString::operator=(std::u16string_view text) {
    Allocating([&] { text_.assign(text); });
    return *this;
}

WideString& WideString::operator+=(const WideString& text) {
    Allocating([&] { text_.append(text.text_); });
    return *this;
}

WideString& WideString::operator+=(const char16_t* text) {
    Allocating([&] { text_.append(ViewOf(text)); });
    return *this;
}

WideString& WideString::operator+=(char16_t unit) {
    Allocating([&] { text_.push_back(unit); });
    return *this;
}

WideString operator+(const WideString& left, const WideString& right) {
    WideString result(left);
    result += right;
    return result;
}

WideString operator+(const WideString& left, const char16_t* right) {
    WideString result(left);
    result += right;
    return result;
}

WideString operator+(const char16_t* left, const WideString& right) {
    WideString result(left);
    result += right;
    return result;
}

WideString operator+(const WideString& left, char16_t right) {
    WideString result(left);
    result += right;
    return result;
}

int WideString::Find(const char16_t* text) const {
    if (text == nullptr) return -1;
    const std::size_t at = text_.find(text);
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int WideString::Replace(const char16_t* oldText, const char16_t* newText) {
    const std::u16string_view from = ViewOf(oldText);
    if (from.empty()) return 0;
    const std::u16string_view to = ViewOf(newText);
    return Allocating([&] {
        std::u16string result;
        int count = 0;
        std::size_t start = 0;
        for (std::size_t at = text_.find(from); at != std::u16string::npos;
             at = text_.find(from, start)) {
            result.append(text_, start, at - start).append(to);
            start = at + from.size();
            ++count;
        }
        if (count > 0) {
            result.append(text_, start);
            text_ = std::move(result);
        }
        return count;
    });
}

void WideString::Insert(int position, const char16_t* text) {
    CheckPosition(position, text_.size());
    Allocating([&] { text_.insert(static_cast<std::size_t>(position), ViewOf(text)); });
}

void WideString::Delete(int position, int count) {
    CheckPosition(position, text_.size());
    if (count < 0) throw CAtlException(hr::kInvalidArg);
    text_.erase(static_cast<std::size_t>(position), static_cast<std::size_t>(count));
}

char16_t WideString::CharAt(int position) const {
    CheckPosition(position, text_.size());
    return text_.c_str()[position];
}

}  // namespace ombrel
