#include "tests/support/EventLines.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>

#include "common/CalendarMath.h"
#include "tests/support/EventFields.h"
#include "tests/support/JsonText.h"

namespace ombrel::standin {
namespace {

// An event's time: days since 1899-12-30, as a VT_DATE holds them.
std::string Iso(double variantDays) {
    constexpr double kDaysTo1970 = 25569.0;
    const std::int64_t seconds = std::llround((variantDays - kDaysTo1970) * 86400.0);
    const SystemTime t = TimeFromUnixSeconds(seconds);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string ValueJson(const StoredValue& value) {
    if (const auto* text = std::get_if<std::u16string>(&value)) return testing::Json(*text);
    char number[32];
    if (const auto* date = std::get_if<platform::VariantDate>(&value)) {
        std::snprintf(number, sizeof number, "%.6f", date->days);
    } else {
        std::snprintf(number, sizeof number, "%u", std::get<std::uint32_t>(value));
    }
    return number;
}

}  // namespace

void PrintEvents(const std::vector<ReceivedEvent>& events, std::size_t first, const char* pass) {
    for (std::size_t i = first; i < events.size(); ++i) {
        const ReceivedEvent& event = events[i];
        std::printf(
            "{\"event\":{\"pass\":\"%s\",\"folder_name\":%s,\"subject\":%s,\"received\":\"%s\","
            "\"mail_flags\":%u}}\n",
            pass, testing::Json(TextField(event, u"folder_name").value_or(u"")).c_str(),
            testing::Json(TextField(event, u"subject").value_or(u"")).c_str(),
            Iso(DateField(event, u"received").value_or(0)).c_str(),
            NumberField(event, u"mail_flags").value_or(0));
    }
}

void PrintEvent(const std::u16string& file, const ReceivedEvent& event) {
    std::string properties;
    for (const EventProperty& property : event.properties) {
        if (!properties.empty()) properties += ",";
        properties += "{\"name\":" + testing::Json(property.name) +
                      ",\"type\":" + std::to_string(property.variantType) +
                      ",\"value\":" + ValueJson(property.value) + "}";
    }
    const std::string flags =
        event.submitFlags ? std::to_string(*event.submitFlags) : std::string("null");
    std::printf("{\"event\":{\"file\":%s,\"schema\":%s,\"sendFlags\":%s,\"properties\":[%s]}}\n",
                testing::Json(file).c_str(), testing::Json(event.schema).c_str(), flags.c_str(),
                properties.c_str());
}

}  // namespace ombrel::standin
