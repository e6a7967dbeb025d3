#include "cli/StoreFiles.h"

#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

constexpr char16_t kNoDrive = u'\0';

char16_t DriveOf(std::u16string_view path) {
    if (path.size() < 2 || path[1] != u':') return kNoDrive;
    const char16_t letter = path[0];
    if (letter >= u'a' && letter <= u'z') return static_cast<char16_t>(letter - u'a' + u'A');
    return letter >= u'A' && letter <= u'Z' ? letter : kNoDrive;
}

// A path that names no file, for a path on a drive that nothing maps.
constexpr const char16_t* kNowhere = u"";

}  // namespace

bool DriveMap::Add(const std::string& mapping) {
    if (mapping.size() < 4 || mapping[1] != ':' || mapping[2] != '=') return false;
    const std::u16string letter(1, static_cast<char16_t>(static_cast<unsigned char>(mapping[0])));
    const char16_t drive = DriveOf(letter + u":");
    if (drive == kNoDrive) return false;
    std::u16string directory = platform::posix::Utf8ToWide(mapping.substr(3));
    if (!directory.ends_with(u'/')) directory += u'/';
    drives_[drive] = directory;
    return true;
}

std::optional<std::u16string> DriveMap::Local(std::u16string_view path) const {
    const char16_t drive = DriveOf(path);
    if (drive == kNoDrive) return std::u16string(path);
    const auto found = drives_.find(drive);
    if (found == drives_.end()) return std::nullopt;
    std::u16string_view rest = path.substr(2);
    while (!rest.empty() && (rest.front() == u'\\' || rest.front() == u'/')) rest.remove_prefix(1);
    return found->second + std::u16string(rest);
}

char16_t DriveMap::UnmappedDrive(std::u16string_view path) const {
    const char16_t drive = DriveOf(path);
    return drive != kNoDrive && !drives_.contains(drive) ? drive : kNoDrive;
}

platform::DiskFiles::Handle StoreDiskFiles::OpenForReading(const char16_t* path) {
    const std::optional<std::u16string> local = drives_.Local(path);
    return local ? Next().OpenForReading(local->c_str()) : kInvalidHandle;
}

std::uint32_t StoreProfileFiles::GetString(const char16_t* section, const char16_t* key,
                                           const char16_t* defaultValue, char16_t* buffer,
                                           std::uint32_t size, const char16_t* file) const {
    const std::optional<std::u16string> local = drives_.Local(file);
    return profiles_.GetString(section, key, defaultValue, buffer, size,
                               local ? local->c_str() : kNowhere);
}

std::uint32_t StoreProfileFiles::GetInt(const char16_t* section, const char16_t* key,
                                        std::int32_t defaultValue, const char16_t* file) const {
    const std::optional<std::u16string> local = drives_.Local(file);
    return profiles_.GetInt(section, key, defaultValue, local ? local->c_str() : kNowhere);
}

}  // namespace ombrel::cli
