#include "charsets/CharsetTables.h"

#include <algorithm>
#include <vector>

#include "charsets/BuiltInCharsetTables.h"
#include "common/TextCompare.h"
#include "platform/CodePages.h"
#include "platform/Ports.h"
#include "platform/Registry.h"

namespace ombrel {
namespace {

namespace reg = platform::reg;
using platform::Registry;
using platform::ScopedKey;

constexpr std::u16string_view kTablesKey = u"Software\\RIT\\The Bat!\\XLT";
constexpr std::uint32_t kNameUnits = 16;  // a name of 16 or more units does not fit

// Written only while the library initialises and finalises, before and after any parse.
std::vector<CharsetTable>& HostTables() {
    static std::vector<CharsetTable> tables;
    return tables;
}

std::u16string_view NameOf(const std::array<char16_t, 16>& name) {
    return {name.data(), std::u16string_view(name.data(), name.size()).find(u'\0')};
}

std::string_view NameOf(const std::array<char, 16>& name) {
    return {name.data(), std::string_view(name.data(), name.size()).find('\0')};
}

// Reads one subkey into a table: its name, converted to the ANSI code page as well, and its
// "Table" value over the identity map.
CharsetTable ReadHostTable(Registry& registry, Registry::Key tablesKey, std::u16string_view name) {
    CharsetTable table;
    std::ranges::copy(name, table.wideName.begin());
    const std::string ascii =
        platform::CurrentPorts().codePages->ToMultiByte(platform::codepage::kAnsi, name);
    if (ascii.size() < table.asciiName.size()) std::ranges::copy(ascii, table.asciiName.begin());
    for (std::size_t b = 0; b < table.map.size(); ++b)
        table.map.at(b) = static_cast<std::uint8_t>(b);

    ScopedKey key(registry);
    if (registry.OpenKey(tablesKey, name, reg::kQueryValue, *key.Receive()) != reg::kSuccess) {
        return table;
    }
    std::array<std::uint8_t, 256> value{};
    std::uint32_t size = value.size();
    // A value longer than the map does not fit and leaves the identity.
    if (registry.QueryValue(key.Get(), u"Table", nullptr, value.data(), &size) == reg::kSuccess) {
        std::copy_n(value.begin(), std::min<std::size_t>(size, value.size()), table.map.begin());
    }
    return table;
}

// The names of the subkeys up to the first that cannot be enumerated into a 16-unit buffer.
std::vector<std::u16string> TableNames(Registry& registry, Registry::Key tablesKey) {
    std::vector<std::u16string> names;
    for (std::uint32_t index = 0;; ++index) {
        std::array<char16_t, kNameUnits> name{};
        std::uint32_t length = kNameUnits;
        if (registry.EnumKey(tablesKey, index, name.data(), &length) != reg::kSuccess) break;
        names.emplace_back(name.data(), std::min(length, kNameUnits - 1));
    }
    return names;
}

}  // namespace

std::int32_t LoadCharsetTables() {
    FreeCharsetTables();
    Registry* registry = platform::CurrentPorts().registry;
    ScopedKey key(*registry);
    const std::int32_t status =
        registry->OpenKey(Registry::kCurrentUser, kTablesKey,
                          reg::kEnumerateSubKeys | reg::kQueryValue, *key.Receive());
    if (status != reg::kSuccess) return status;
    for (const std::u16string& name : TableNames(*registry, key.Get())) {
        HostTables().push_back(ReadHostTable(*registry, key.Get(), name));
    }
    return status;
}

void FreeCharsetTables() {
    std::vector<CharsetTable>().swap(HostTables());
}

std::span<const CharsetTable> HostCharsetTables() {
    return HostTables();
}

void Translate(const CharsetTable* table, char* bytes, std::ptrdiff_t count) {
    if (table == nullptr || bytes == nullptr || count <= 0) return;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(table->map[static_cast<unsigned char>(bytes[i])]);
    }
}

const CharsetTable* FindHostTable(std::u16string_view charset) {
    const auto tables = HostCharsetTables();
    const auto found = std::ranges::find_if(tables, [&](const CharsetTable& table) {
        return EqualsIgnoringCase(NameOf(table.wideName), charset);
    });
    return found != tables.end() ? &*found : nullptr;
}

const CharsetTable* FindHostTable(std::string_view charset) {
    const auto tables = HostCharsetTables();
    const auto found = std::ranges::find_if(tables, [&](const CharsetTable& table) {
        return EqualsIgnoringCase(NameOf(table.asciiName), charset);
    });
    return found != tables.end() ? &*found : nullptr;
}

const CharsetTable* FindTableByName(const WideString& charset) {
    for (const auto tables : {HostCharsetTables(), BuiltInCharsetTables()}) {
        for (const CharsetTable& table : tables) {
            if (EqualsIgnoringCase(NameOf(table.wideName), charset.View())) return &table;
        }
    }
    return nullptr;
}

const CharsetTable* FindTableByPrefix(std::string_view charsetText) {
    const CharsetTable* best = nullptr;
    std::size_t bestLength = 0;
    for (const auto tables : {HostCharsetTables(), BuiltInCharsetTables()}) {
        for (const CharsetTable& table : tables) {
            const std::string_view name = NameOf(table.asciiName);
            if (name.size() > bestLength && StartsWithIgnoringCase(charsetText, name)) {
                best = &table;
                bestLength = name.size();
            }
        }
    }
    return best;
}

void translateByName(const WideString& charset, char* bytes, std::ptrdiff_t count) {
    if (count > 0) Translate(FindTableByName(charset), bytes, count);
}

void translateByPrefix(std::string_view charsetText, char* bytes, std::ptrdiff_t count) {
    if (count > 0) Translate(FindTableByPrefix(charsetText), bytes, count);
}

}  // namespace ombrel
