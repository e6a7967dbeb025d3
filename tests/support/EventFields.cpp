#include "tests/support/EventFields.h"

namespace ombrel::standin {
namespace {

template <typename Value>
const Value* Field(const ReceivedEvent& event, std::u16string_view name) {
    for (const EventProperty& property : event.properties) {
        if (property.name == name) return std::get_if<Value>(&property.value);
    }
    return nullptr;
}

template <typename Value>
std::optional<Value> Optional(const Value* value) {
    return value != nullptr ? std::optional<Value>(*value) : std::nullopt;
}

}  // namespace

std::optional<std::u16string> TextField(const ReceivedEvent& event, std::u16string_view name) {
    return Optional(Field<std::u16string>(event, name));
}

std::optional<std::uint32_t> NumberField(const ReceivedEvent& event, std::u16string_view name) {
    return Optional(Field<std::uint32_t>(event, name));
}

std::optional<double> DateField(const ReceivedEvent& event, std::u16string_view name) {
    const platform::VariantDate* date = Field<platform::VariantDate>(event, name);
    return date != nullptr ? std::optional<double>(date->days) : std::nullopt;
}

}  // namespace ombrel::standin
