#include "platform/posix/TableConversion.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace ombrel::platform::posix {
namespace {

// The lookups that the stored form of a table leaves to be built: lead byte to its trail table,
// and unit to bytes (0x100 and above: a lead byte in the high half).
struct Lookups {
    std::array<const LeadByteTable*, 256> leads{};
    std::vector<std::uint16_t> bytesOfUnit;
};

Lookups BuildLookups(const CodePageTable& table) {
    Lookups lookups;
    for (const LeadByteTable& lead : table.leadBytes) lookups.leads[lead.lead] = &lead;
    // Each unit gets the first byte sequence that reads as it, then the one-way mappings.
    std::vector<bool> assigned(0x10000, false);
    lookups.bytesOfUnit.assign(0x10000, table.defaultChar);
    const auto assign = [&](char16_t unit, std::uint16_t bytes) {
        if (assigned[unit]) return;
        assigned[unit] = true;
        lookups.bytesOfUnit[unit] = bytes;
    };
    for (unsigned byte = 0; byte < 256; ++byte) {
        const LeadByteTable* lead = lookups.leads[byte];
        if (lead == nullptr) {
            assign(table.singleBytes[byte], static_cast<std::uint16_t>(byte));
            continue;
        }
        for (unsigned trail = lead->firstTrail; trail <= lead->lastTrail; ++trail) {
            const char16_t unit = lead->units[trail - lead->firstTrail];
            if (unit != table.unicodeDefault)
                assign(unit, static_cast<std::uint16_t>(byte << 8 | trail));
        }
    }
    for (const OneWayMapping& mapping : table.oneWay)
        lookups.bytesOfUnit[mapping.unit] = mapping.bytes;
    return lookups;
}

const Lookups& LookupsOf(const CodePageTable& table) {
    struct Lazy {
        std::once_flag built;
        std::unique_ptr<Lookups> lookups;
    };
    const auto tables = CodePageTables();
    static std::vector<Lazy> lazy(tables.size());
    Lazy& entry =
        lazy.at(static_cast<std::size_t>(std::ranges::find(tables, &table) - tables.begin()));
    std::call_once(entry.built,
                   [&] { entry.lookups = std::make_unique<Lookups>(BuildLookups(table)); });
    return *entry.lookups;
}

char16_t DoubleByteUnit(const CodePageTable& table, const LeadByteTable& lead,
                        unsigned char trail) {
    if (trail < lead.firstTrail || trail > lead.lastTrail) return table.unicodeDefault;
    return lead.units[trail - lead.firstTrail];
}

}  // namespace

const CodePageTable* FindCodePageTable(std::uint32_t codePage) {
    for (const CodePageTable* table : CodePageTables()) {
        if (table->codePage == codePage) return table;
    }
    return nullptr;
}

void TableToWide(const CodePageTable& table, std::string_view bytes, std::u16string& out) {
    const std::size_t start = out.size();
    if (table.leadBytes.empty()) {
        // A single-byte code page: every byte is one unit of its 256-entry table.
        out.resize(start + bytes.size());
        std::transform(
            bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(start),
            [&](char byte) { return table.singleBytes[static_cast<unsigned char>(byte)]; });
        return;
    }
    const Lookups& lookups = LookupsOf(table);
    out.reserve(start + bytes.size());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        const LeadByteTable* lead = lookups.leads[byte];
        if (lead == nullptr) {
            out.push_back(table.singleBytes[byte]);
        } else if (at + 1 < bytes.size() && bytes[at + 1] != '\0') {
            out.push_back(DoubleByteUnit(table, *lead, static_cast<unsigned char>(bytes[++at])));
        } else {
            out.push_back(table.unicodeDefault);
        }
    }
}

std::string TableToMultiByte(const CodePageTable& table, std::u16string_view text) {
    const Lookups& lookups = LookupsOf(table);
    std::string out;
    out.reserve(text.size());
    for (const char16_t unit : text) {
        const std::uint16_t bytes = lookups.bytesOfUnit[unit];
        if (bytes > 0xFF) out.push_back(static_cast<char>(bytes >> 8));
        out.push_back(static_cast<char>(bytes & 0xFF));
    }
    return out;
}

}  // namespace ombrel::platform::posix
