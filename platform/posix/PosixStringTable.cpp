#include "platform/posix/PosixStringTable.h"

#include <algorithm>
#include <iterator>

namespace ombrel::platform::posix {
namespace {

struct Entry {
    std::uint32_t id;
    const char16_t* text;
};

constexpr Entry kEntries[] = {
#define PLUGIN_STRING(id, name, text) {id, u"" text},
#include "resources/StringTable.inc"
#undef PLUGIN_STRING
};

}  // namespace

std::optional<std::u16string> PosixStringTable::Load(std::uint32_t id) const {
    const auto* entry = std::find_if(std::begin(kEntries), std::end(kEntries),
                                     [id](const Entry& e) { return e.id == id; });
    if (entry == std::end(kEntries)) return std::nullopt;
    return std::u16string(entry->text);
}

}  // namespace ombrel::platform::posix
