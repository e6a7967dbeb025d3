#include "platform/posix/PosixProfileFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "platform/posix/IniDocument.h"
#include "platform/posix/PosixPaths.h"

namespace ombrel::platform::posix {
namespace {

enum class Encoding { Ansi, Utf8, Utf16 };

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

struct FileText {
    std::u16string text;
    Encoding encoding = Encoding::Ansi;
};

// The bytes of a regular file; none for a file that cannot be read, or anything else in its place.
// The open does not block: a FIFO in a profile's place would wait for a writer.
std::optional<std::string> ReadBytes(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) return std::nullopt;
    struct stat status = {};
    std::optional<std::string> bytes;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) bytes.emplace();
    char buffer[16384];
    while (bytes) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) bytes.reset();
        if (got <= 0) break;
        bytes->append(buffer, static_cast<std::size_t>(got));
    }
    close(descriptor);
    return bytes;
}

FileText Decode(std::string_view bytes, const CodePages& pages) {
    if (bytes.starts_with(kUtf16Mark)) {
        bytes.remove_prefix(kUtf16Mark.size());
        std::u16string text(bytes.size() / 2, u'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * 2);
        return {std::move(text), Encoding::Utf16};
    }
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        return {pages.ToWide(codepage::kUtf8, bytes), Encoding::Utf8};
    }
    return {pages.ToWide(codepage::kAnsi, bytes), Encoding::Ansi};
}

std::string Encode(const FileText& file, const CodePages& pages) {
    switch (file.encoding) {
        case Encoding::Utf16: {
            std::string bytes(kUtf16Mark);
            bytes.append(reinterpret_cast<const char*>(file.text.data()), file.text.size() * 2);
            return bytes;
        }
        case Encoding::Utf8:
            return std::string(kUtf8Mark) + pages.ToMultiByte(codepage::kUtf8, file.text);
        case Encoding::Ansi:
            break;
    }
    return pages.ToMultiByte(codepage::kAnsi, file.text);
}

// The file's value of the key, or nothing when the file, section or key is missing.
std::optional<std::u16string> Lookup(const char16_t* section, const char16_t* key,
                                     const char16_t* file, const CodePages& pages) {
    if (section == nullptr || key == nullptr || file == nullptr) return std::nullopt;
    const auto bytes = ReadBytes(PosixPath(file));
    if (!bytes) return std::nullopt;
    return IniDocument(Decode(*bytes, pages).text).Find(section, key);
}

// The default as the profile functions use it: trailing blanks removed.
std::u16string DefaultText(const char16_t* value) {
    std::u16string text = value != nullptr ? value : u"";
    while (!text.empty() && text.back() == u' ') text.pop_back();
    return text;
}

// As RtlUnicodeStringToInteger in base 10: leading blanks and one sign, then digits up to the
// first other character; the result wraps to 32 bits.
std::uint32_t ParseInteger(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] <= u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + static_cast<std::uint32_t>(text[i] - u'0');
    }
    return negative ? 0U - value : value;
}

}  // namespace

std::uint32_t PosixProfileFiles::GetString(const char16_t* section, const char16_t* key,
                                           const char16_t* defaultValue, char16_t* buffer,
                                           std::uint32_t size, const char16_t* file) const {
    if (buffer == nullptr || size == 0) return 0;
    std::lock_guard lock(mutex_);
    const std::u16string value =
        Lookup(section, key, file, codePages_).value_or(DefaultText(defaultValue));
    const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(value.size(), size - 1));
    std::memcpy(buffer, value.data(), count * sizeof(char16_t));
    buffer[count] = u'\0';
    return count;
}

std::uint32_t PosixProfileFiles::GetInt(const char16_t* section, const char16_t* key,
                                        std::int32_t defaultValue, const char16_t* file) const {
    std::lock_guard lock(mutex_);
    const auto value = Lookup(section, key, file, codePages_);
    if (!value || value->empty()) return static_cast<std::uint32_t>(defaultValue);
    return ParseInteger(*value);
}

bool PosixProfileFiles::WriteString(const char16_t* section, const char16_t* key,
                                    const char16_t* value, const char16_t* file) {
    if (section == nullptr || key == nullptr || value == nullptr || file == nullptr) return false;
    std::lock_guard lock(mutex_);
    const std::string path = PosixPath(file);
    FileText contents;
    if (const auto bytes = ReadBytes(path)) contents = Decode(*bytes, codePages_);
    IniDocument document(contents.text);
    document.Set(section, key, value);
    contents.text = document.Text();

    const std::string temporary = path + ".writing";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        const std::string bytes = Encode(contents, codePages_);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace ombrel::platform::posix
