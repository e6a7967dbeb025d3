#include "mailstore/FolderState.h"

#include <array>
#include <mutex>

#include "common/Base64.h"
#include "platform/AnsiText.h"
#include "platform/Ports.h"
#include "platform/ProfileFiles.h"

namespace ombrel {
namespace {

constexpr const char16_t* kEnabledKey = u"Enabled";
constexpr const char16_t* kMonitorKey = u"Monitor";
constexpr std::uint32_t kMarker = 0xBAADF00D;
constexpr std::uint32_t kMonitorBufferSize = 512;

// The "Monitor" value's record: marker, the SYSTEMTIME's eight fields, marker; little-endian.
using MonitorRecord = std::array<std::uint8_t, 24>;

void PutU16(MonitorRecord& record, std::size_t at, std::uint16_t value) {
    record[at] = static_cast<std::uint8_t>(value & 0xFF);
    record[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(MonitorRecord& record, std::size_t at, std::uint32_t value) {
    PutU16(record, at, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(record, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t GetU16(const MonitorRecord& record, std::size_t at) {
    return static_cast<std::uint16_t>(record[at] | (record[at + 1] << 8));
}

std::uint32_t GetU32(const MonitorRecord& record, std::size_t at) {
    return GetU16(record, at) | (static_cast<std::uint32_t>(GetU16(record, at + 2)) << 16);
}

std::array<std::uint16_t*, 8> Fields(SystemTime& t) {
    return {&t.year, &t.month,  &t.dayOfWeek, &t.day,
            &t.hour, &t.minute, &t.second,    &t.milliseconds};
}

MonitorRecord Encode(SystemTime time) {
    MonitorRecord record{};
    PutU32(record, 0, kMarker);
    std::size_t at = 4;
    for (const std::uint16_t* field : Fields(time)) {
        PutU16(record, at, *field);
        at += 2;
    }
    PutU32(record, 20, kMarker);
    return record;
}

bool Decode(const MonitorRecord& record, SystemTime& time) {
    if (GetU32(record, 0) != kMarker || GetU32(record, 20) != kMarker) return false;
    std::size_t at = 4;
    for (std::uint16_t* field : Fields(time)) {
        *field = GetU16(record, at);
        at += 2;
    }
    return true;
}

WideString StateFile(const MailNode& node) {
    return node.directory + kStateFileName;
}

}  // namespace

bool ReadEnabled(const MailNode& node) {
    const platform::ProfileFiles* profiles = platform::CurrentPorts().profiles;
    if (node.directory.IsEmpty()) return false;
    return profiles->GetInt(kStateSection, kEnabledKey, 0, StateFile(node).CStr()) != 0;
}

void WriteEnabled(MailNode& node, bool selected) {
    platform::ProfileFiles* profiles = platform::CurrentPorts().profiles;
    if (!node.directory.IsEmpty()) {
        profiles->WriteString(kStateSection, kEnabledKey, selected ? u"1" : u"0",
                              StateFile(node).CStr());
    }
    node.enabled = ReadEnabled(node);
}

bool ReadMonitorTime(const MailNode& node, SystemTime* time) {
    if (time == nullptr) return false;
    *time = SystemTime();
    const platform::ProfileFiles* profiles = platform::CurrentPorts().profiles;
    if (node.directory.IsEmpty()) return false;

    std::array<char16_t, kMonitorBufferSize> text{};
    const std::uint32_t length =
        profiles->GetString(kStateSection, kMonitorKey, u"", text.data(), kMonitorBufferSize - 1,
                            StateFile(node).CStr());
    if (length == 0) return false;
    const std::string bytes = ToAnsi(std::u16string_view(text.data(), length));
    MonitorRecord record{};
    if (DecodeBase64(bytes, record.data(), record.size()) != record.size()) return false;
    SystemTime stored;
    if (!Decode(record, stored)) return false;
    *time = stored;
    return true;
}

void WriteMonitorTime(const SystemTime& time, const MailNode& node) {
    platform::ProfileFiles* profiles = platform::CurrentPorts().profiles;
    if (node.directory.IsEmpty()) return;
    const MonitorRecord record = Encode(time);
    const std::string text =
        EncodeBase64(std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
    const std::u16string value(text.begin(), text.end());
    profiles->WriteString(kStateSection, kMonitorKey, value.c_str(), StateFile(node).CStr());
}

void MoveMonitorTimeForward(const SystemTime& time, const MailNode& node) {
    static std::mutex turn;
    const std::lock_guard taken(turn);
    SystemTime stored;
    ReadMonitorTime(node, &stored);
    if (CompareTimes(time, stored) < 0) WriteMonitorTime(time, node);
}

}  // namespace ombrel
