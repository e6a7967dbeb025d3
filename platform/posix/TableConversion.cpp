#include "platform/posix/TableConversion.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace ombrel::platform::posix {

extern const CodePageTable kCodePage874;
extern const CodePageTable kCodePage932;
extern const CodePageTable kCodePage936;
extern const CodePageTable kCodePage949;
extern const CodePageTable kCodePage950;
extern const CodePageTable kCodePage1250;
extern const CodePageTable kCodePage1251;
extern const CodePageTable kCodePage1252;
extern const CodePageTable kCodePage1253;
extern const CodePageTable kCodePage1254;
extern const CodePageTable kCodePage1255;
extern const CodePageTable kCodePage1256;
extern const CodePageTable kCodePage1257;
extern const CodePageTable kCodePage1258;

namespace {

const std::array<const CodePageTable*, 14>& AllTables() {
    static const std::array<const CodePageTable*, 14> tables = {
        &kCodePage874,  &kCodePage932,  &kCodePage936,  &kCodePage949,  &kCodePage950,
        &kCodePage1250, &kCodePage1251, &kCodePage1252, &kCodePage1253, &kCodePage1254,
        &kCodePage1255, &kCodePage1256, &kCodePage1257, &kCodePage1258};
    return tables;
}

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
    const auto& tables = AllTables();
    const auto index =
        static_cast<std::size_t>(std::find(tables.begin(), tables.end(), &table) - tables.begin());
    static std::array<std::once_flag, 14> built;
    static std::array<std::unique_ptr<Lookups>, 14> lookups;
    std::call_once(built.at(index),
                   [&] { lookups.at(index) = std::make_unique<Lookups>(BuildLookups(table)); });
    return *lookups.at(index);
}

char16_t DoubleByteUnit(const CodePageTable& table, const LeadByteTable& lead,
                        unsigned char trail) {
    if (trail < lead.firstTrail || trail > lead.lastTrail) return table.unicodeDefault;
    return lead.units[trail - lead.firstTrail];
}

}  // namespace

const CodePageTable* FindCodePageTable(std::uint32_t codePage) {
    for (const CodePageTable* table : AllTables()) {
        if (table->codePage == codePage) return table;
    }
    return nullptr;
}

std::u16string TableToWide(const CodePageTable& table, std::string_view bytes) {
    if (table.leadBytes.empty()) {
        // A single-byte code page: every byte is one unit of its 256-entry table.
        std::u16string out(bytes.size(), u'\0');
        std::transform(bytes.begin(), bytes.end(), out.begin(), [&](char byte) {
            return table.singleBytes[static_cast<unsigned char>(byte)];
        });
        return out;
    }
    const Lookups& lookups = LookupsOf(table);
    std::u16string out;
    out.reserve(bytes.size());
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
    return out;
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
