#include "platform/posix/IniDocument.h"

#include "common/CaseFolding.h"

namespace ombrel::platform::posix {
namespace {

constexpr std::u16string_view kNewLine = u"\r\n";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    return FoldCase(a) == FoldCase(b);
}

// The section name of a "[name]" line.
std::optional<std::u16string_view> SectionName(std::u16string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != u'[') return std::nullopt;
    const std::size_t close = line.find(u']');
    if (close == std::u16string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key name and raw value of a "key=value" line; comments and other lines have none.
std::optional<std::pair<std::u16string_view, std::u16string_view>> KeyAndValue(
    std::u16string_view line) {
    const std::u16string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == u';' || trimmed.front() == u'[') return std::nullopt;
    const std::size_t equals = trimmed.find(u'=');
    if (equals == std::u16string_view::npos) return std::nullopt;
    return std::make_pair(Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1)));
}

std::u16string Unquoted(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value);
}

}  // namespace

IniDocument::IniDocument(std::u16string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
        std::size_t next = end;
        if (next < text.size() && text[next] == u'\r') ++next;
        if (next < text.size() && text[next] == u'\n' && (next == end || text[end] == u'\r'))
            ++next;
        lines_.push_back({std::u16string(text.substr(start, end - start)),
                          std::u16string(text.substr(end, next - end))});
        start = next;
    }
}

std::optional<IniDocument::Span> IniDocument::FindSection(std::u16string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text);
        if (!name || !SameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const Span& span, std::u16string_view key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto entry = KeyAndValue(lines_[i].text);
        if (entry && SameName(entry->first, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::u16string> IniDocument::Find(std::u16string_view section,
                                                std::u16string_view key) const {
    const auto span = FindSection(section);
    if (!span) return std::nullopt;
    const auto line = FindKey(*span, key);
    if (!line) return std::nullopt;
    return Unquoted(KeyAndValue(lines_[*line].text)->second);
}

void IniDocument::Set(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
    std::u16string entry = std::u16string(key) + u"=" + std::u16string(value);
    auto span = FindSection(section);
    if (!span) {
        if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = kNewLine;
        lines_.push_back({u"[" + std::u16string(section) + u"]", std::u16string(kNewLine)});
        lines_.push_back({std::move(entry), std::u16string(kNewLine)});
        return;
    }
    if (const auto line = FindKey(*span, key)) {
        const std::u16string_view name = KeyAndValue(lines_[*line].text)->first;
        lines_[*line].text = std::u16string(name) + u"=" + std::u16string(value);
        return;
    }
    std::size_t after = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (KeyAndValue(lines_[i].text)) after = i;
    }
    if (lines_[after].ending.empty()) lines_[after].ending = kNewLine;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                  {std::move(entry), std::u16string(kNewLine)});
}

std::u16string IniDocument::Text() const {
    std::u16string text;
    for (const Line& line : lines_) text += line.text + line.ending;
    return text;
}

}  // namespace ombrel::platform::posix
