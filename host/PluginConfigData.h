#pragma once

#include <bit>
#include <cstdint>

namespace ombrel {

inline constexpr std::uint32_t kConfigSignature = 0xBAADF00D;
inline constexpr std::uint16_t kConfigRecordSize = 12;

// The 12-byte little-endian options record that the host stores for the library.
struct PluginConfigData {
    std::uint32_t signature = 0;
    std::uint8_t indexOnReceive = 0;
    std::uint8_t monitorOnExit = 0;
    std::uint8_t preferHtml = 0;
    std::uint8_t generateThumbnails = 0;
    std::uint16_t thumbnailFilter = 0;
    std::uint16_t recordSize = 0;

    // The record the library hands out before the host has given it one.
    static constexpr PluginConfigData Initial() {
        PluginConfigData data;
        data.signature = kConfigSignature;
        data.recordSize = kConfigRecordSize;
        return data;
    }
    friend bool operator==(const PluginConfigData&, const PluginConfigData&) = default;
};

static_assert(sizeof(PluginConfigData) == kConfigRecordSize, "the record is an external format");
static_assert(std::endian::native == std::endian::little,
              "the record is copied as it is in memory");

}  // namespace ombrel
