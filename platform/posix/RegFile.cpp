#include "platform/posix/RegFile.h"

#include <cstring>
#include <optional>
#include <string>

#include "common/CaseFolding.h"
#include "platform/RegistryTree.h"

namespace ombrel::platform::posix {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::u16string_view kVersion4Header = u"REGEDIT4";
constexpr std::u16string_view kVersion5Header = u"Windows Registry Editor Version 5.00";

using Bytes = std::vector<std::uint8_t>;

struct Text {
    std::u16string text;
    bool ansi = false;
};

Text Decode(std::string_view bytes, const CodePages& pages) {
    if (bytes.starts_with(kUtf16Mark)) {
        bytes.remove_prefix(kUtf16Mark.size());
        std::u16string text(bytes.size() / 2, u'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * 2);
        return {std::move(text), false};
    }
    if (bytes.starts_with(kUtf8Mark)) {
        return {pages.ToWide(codepage::kUtf8, bytes.substr(kUtf8Mark.size())), false};
    }
    return {pages.ToWide(codepage::kAnsi, bytes), true};
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// The file's logical lines, each with the number of its first physical line.
std::vector<std::pair<int, std::u16string>> LogicalLines(std::u16string_view text) {
    std::vector<std::pair<int, std::u16string>> lines;
    bool continuing = false;
    int number = 0;
    while (!text.empty() || number == 0) {
        const std::size_t end = text.find(u'\n');
        const std::u16string_view physical = Trimmed(text.substr(0, end));
        text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
        ++number;
        if (continuing) {
            lines.back().second += physical;
        } else {
            lines.emplace_back(number, std::u16string(physical));
        }
        std::u16string& line = lines.back().second;
        continuing = !line.empty() && line.back() == u'\\';
        if (continuing) line.pop_back();
    }
    return lines;
}

std::optional<Registry::Key> RootOf(std::u16string_view name) {
    const std::u16string folded = FoldCase(name);
    if (folded == u"HKEY_CURRENT_USER" || folded == u"HKCU") return Registry::kCurrentUser;
    if (folded == u"HKEY_CLASSES_ROOT" || folded == u"HKCR") return Registry::kClassesRoot;
    return std::nullopt;
}

// A quoted text at the start of `line`, with \\ and \" unescaped; `line` is left after it.
std::optional<std::u16string> ReadQuoted(std::u16string_view& line) {
    if (line.empty() || line.front() != u'"') return std::nullopt;
    std::u16string text;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == u'"') {
            line.remove_prefix(i + 1);
            return text;
        }
        if (line[i] == u'\\' && i + 1 < line.size() &&
            (line[i + 1] == u'\\' || line[i + 1] == u'"')) {
            ++i;
        }
        text.push_back(line[i]);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ReadHex(std::u16string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (const char16_t c : digits) {
        const char16_t f = c >= u'A' && c <= u'F' ? static_cast<char16_t>(c + 0x20) : c;
        unsigned digit = 0;
        if (f >= u'0' && f <= u'9') {
            digit = f - u'0';
        } else if (f >= u'a' && f <= u'f') {
            digit = f - u'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return value;
}

std::optional<Bytes> ReadHexBytes(std::u16string_view list) {
    Bytes bytes;
    while (!Trimmed(list).empty()) {
        const std::size_t comma = list.find(u',');
        const std::optional<std::uint32_t> byte = ReadHex(Trimmed(list.substr(0, comma)), 2);
        if (!byte) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        list = comma == std::u16string_view::npos ? std::u16string_view() : list.substr(comma + 1);
    }
    return bytes;
}

Bytes Utf16Bytes(std::u16string_view text) {
    Bytes bytes((text.size() + 1) * sizeof(char16_t), 0);
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(char16_t));
    return bytes;
}

struct ValueData {
    std::uint32_t type = reg::kTypeString;
    Bytes bytes;
};

// The data after "=": a text, dword:, hex: or hex(t):. REGEDIT4 writes expandable and multiple
// texts as ANSI bytes, which become UTF-16 as the registry holds them.
std::optional<ValueData> ReadData(std::u16string_view data, bool ansi, const CodePages& pages) {
    if (data.starts_with(u"\"")) {
        std::optional<std::u16string> text = ReadQuoted(data);
        if (!text || !Trimmed(data).empty()) return std::nullopt;
        return ValueData{reg::kTypeString, Utf16Bytes(*text)};
    }
    const std::u16string folded = FoldCase(data);
    if (folded.starts_with(u"DWORD:")) {
        const std::optional<std::uint32_t> number = ReadHex(Trimmed(data.substr(6)), 8);
        if (!number) return std::nullopt;
        Bytes bytes(sizeof *number);
        std::memcpy(bytes.data(), &*number, sizeof *number);
        return ValueData{reg::kTypeDword, std::move(bytes)};
    }
    std::uint32_t type = reg::kTypeBinary;
    std::size_t listStart = 0;
    if (folded.starts_with(u"HEX:")) {
        listStart = 4;
    } else if (folded.starts_with(u"HEX(")) {
        const std::size_t close = folded.find(u"):");
        const std::optional<std::uint32_t> typeNumber =
            close == std::u16string::npos ? std::nullopt : ReadHex(data.substr(4, close - 4), 8);
        if (!typeNumber) return std::nullopt;
        type = *typeNumber;
        listStart = close + 2;
    } else {
        return std::nullopt;
    }
    std::optional<Bytes> bytes = ReadHexBytes(data.substr(listStart));
    if (!bytes) return std::nullopt;
    if (ansi && (type == reg::kTypeExpandString || type == reg::kTypeMultiString)) {
        const std::string narrow(bytes->begin(), bytes->end());
        const std::u16string wide = pages.ToWide(codepage::kAnsi, narrow);
        const auto* units = reinterpret_cast<const std::uint8_t*>(wide.data());
        bytes = Bytes(units, units + wide.size() * sizeof(char16_t));
    }
    return ValueData{type, std::move(*bytes)};
}

class Importer {
  public:
    Importer(MemoryRegistry& registry, bool ansi, const CodePages& pages)
        : registry_(registry), ansi_(ansi), pages_(pages) {}

    bool Apply(std::u16string_view line) {
        if (line.empty() || line.front() == u';') return true;
        if (line.front() == u'[') return ApplyKey(line);
        return ApplyValue(line);
    }

  private:
    bool ApplyKey(std::u16string_view line) {
        key_.reset();
        if (line.back() != u']') return false;
        line = line.substr(1, line.size() - 2);
        const bool deleting = line.starts_with(u"-");
        if (deleting) line.remove_prefix(1);
        const std::size_t slash = line.find(u'\\');
        const std::optional<Registry::Key> root = RootOf(line.substr(0, slash));
        if (!root) return false;
        const std::u16string path(slash == std::u16string_view::npos ? u""
                                                                     : line.substr(slash + 1));
        if (deleting) {
            const std::int32_t status = DeleteKeyTree(registry_, *root, path);
            return status == reg::kSuccess || status == reg::kFileNotFound;
        }
        Registry::Key created = 0;
        if (registry_.CreateKey(*root, path, reg::kAllAccess, created) != reg::kSuccess) {
            return false;
        }
        registry_.CloseKey(created);
        key_ = {*root, path};
        return true;
    }

    bool ApplyValue(std::u16string_view line) {
        if (!key_) return false;
        std::u16string name;
        if (line.starts_with(u"@")) {
            line.remove_prefix(1);
        } else {
            std::optional<std::u16string> quoted = ReadQuoted(line);
            if (!quoted) return false;
            name = std::move(*quoted);
        }
        line = Trimmed(line);
        if (!line.starts_with(u"=")) return false;
        line = Trimmed(line.substr(1));
        if (line == u"-") return DeleteValue(name);
        std::optional<ValueData> data = ReadData(line, ansi_, pages_);
        if (!data) return false;
        registry_.PutBytes(key_->first, key_->second, name, data->type, data->bytes);
        return true;
    }

    bool DeleteValue(const std::u16string& name) {
        ScopedKey key(registry_);
        if (registry_.OpenKey(key_->first, key_->second, reg::kAllAccess, *key.Receive()) !=
            reg::kSuccess) {
            return false;
        }
        const std::int32_t status = registry_.DeleteValue(key.Get(), name.c_str());
        return status == reg::kSuccess || status == reg::kFileNotFound;
    }

    MemoryRegistry& registry_;
    bool ansi_;
    const CodePages& pages_;
    std::optional<std::pair<Registry::Key, std::u16string>> key_;
};

}  // namespace

RegFileLoad LoadRegFile(MemoryRegistry& registry, std::string_view bytes,
                        const CodePages& codePages) {
    const Text decoded = Decode(bytes, codePages);
    const auto lines = LogicalLines(decoded.text);
    RegFileLoad result;
    auto line = lines.begin();
    while (line != lines.end() && line->second.empty()) ++line;
    if (line == lines.end() ||
        (line->second != kVersion4Header && line->second != kVersion5Header)) {
        return result;
    }
    result.recognised = true;
    Importer importer(registry, decoded.ansi, codePages);
    for (++line; line != lines.end(); ++line) {
        if (!importer.Apply(line->second)) result.skippedLines.push_back(line->first);
    }
    return result;
}

}  // namespace ombrel::platform::posix
