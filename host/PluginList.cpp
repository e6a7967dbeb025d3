#include "host/PluginList.h"

#include <algorithm>
#include <vector>

#include "common/CaseFolding.h"
#include "common/Exceptions.h"
#include "platform/Ports.h"
#include "platform/ProfileFiles.h"

namespace ombrel {
namespace {

constexpr const char16_t* kPluginsSection = u"Plugins";
constexpr const char16_t* kPluginDataSection = u"Plugin Data";
constexpr const char16_t* kCountKey = u"Count";
constexpr std::uint32_t kValueBufferSize = 1023;

struct Entry {
    WideString path;
    WideString data;
};

WideString EntryKey(int number) {
    return WideString::Formatted(u"Plugin #%d", number);
}

platform::ProfileFiles& Profiles() {
    return *platform::CurrentPorts().profiles;
}

// A damaged negative count lists nothing.
int ReadCount(const WideString& listPath) {
    const auto count = static_cast<std::int32_t>(
        Profiles().GetInt(kPluginsSection, kCountKey, 0, listPath.CStr()));
    return std::max(count, 0);
}

void WriteCount(const WideString& listPath, int count) {
    Profiles().WriteString(kPluginsSection, kCountKey, WideString::Formatted(u"%d", count).CStr(),
                           listPath.CStr());
}

WideString ReadValue(const char16_t* section, const WideString& key, const WideString& listPath) {
    std::vector<char16_t> buffer(kValueBufferSize, u'\0');
    const std::uint32_t length = Profiles().GetString(section, key.CStr(), u"", buffer.data(),
                                                      kValueBufferSize, listPath.CStr());
    return {std::u16string_view(buffer.data(), std::min(length, kValueBufferSize - 1))};
}

void WriteValue(const char16_t* section, const WideString& key, const WideString& value,
                const WideString& listPath) {
    Profiles().WriteString(section, key.CStr(), value.CStr(), listPath.CStr());
}

// The library's path with "%EXEDRIVE%" in place of its drive letter and colon.
WideString DriveRelativeForm(WideString path) {
    path.Delete(0, 2);
    path.Insert(0, u"%EXEDRIVE%");
    return path;
}

}  // namespace

void AddToPluginList(const WideString& listPath, const WideString& ownPath) {
    const int count = ReadCount(listPath);
    for (int number = 1; number <= count; ++number) {
        if (ReadValue(kPluginsSection, EntryKey(number), listPath) == ownPath) return;
    }
    WriteCount(listPath, count + 1);
    WriteValue(kPluginsSection, EntryKey(count + 1), ownPath, listPath);
}

void RemoveFromPluginList(const WideString& listPath, const WideString& ownPath) {
    const int count = ReadCount(listPath);
    if (count == 0) return;
    const std::u16string ownForm = FoldCase(ownPath.View());
    const std::u16string driveRelativeForm = FoldCase(DriveRelativeForm(ownPath).View());

    std::vector<Entry> entries;
    for (int number = 1; number <= count; ++number) {
        const WideString key = EntryKey(number);
        entries.push_back({ReadValue(kPluginsSection, key, listPath),
                           ReadValue(kPluginDataSection, key, listPath)});
    }
    int next = 1;
    for (const Entry& entry : entries) {
        const std::u16string folded = FoldCase(entry.path.View());
        if (folded == ownForm || folded == driveRelativeForm) continue;
        const WideString key = EntryKey(next++);
        WriteValue(kPluginsSection, key, entry.path, listPath);
        WriteValue(kPluginDataSection, key, entry.data, listPath);
    }
    const int newCount = next - 1;
    if (newCount < count) WriteCount(listPath, newCount);
}

}  // namespace ombrel
