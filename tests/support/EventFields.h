#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/IndexerJournal.h"

// The values of a received event's properties, by name.
namespace ombrel::standin {

// The text of a VT_BSTR property; nothing when the event has none of that name and type.
std::optional<std::u16string> TextField(const ReceivedEvent& event, std::u16string_view name);
std::optional<std::uint32_t> NumberField(const ReceivedEvent& event, std::u16string_view name);
std::optional<double> DateField(const ReceivedEvent& event, std::u16string_view name);

}  // namespace ombrel::standin
