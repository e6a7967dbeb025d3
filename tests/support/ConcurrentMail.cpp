#include "tests/support/ConcurrentMail.h"

#include <algorithm>

#include "tests/support/SampleMail.h"

namespace ombrel::testing {
namespace {

// The texts of the event's text properties, run together.
std::u16string SortKey(const standin::ReceivedEvent& event) {
    std::u16string key;
    for (const standin::EventProperty& property : event.properties) {
        if (const auto* text = std::get_if<std::u16string>(&property.value)) key += *text;
    }
    return key;
}

}  // namespace

std::vector<std::vector<std::string>> MailPerThread(int threads, int each) {
    std::vector<std::vector<std::string>> mail(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t) {
        const std::string to = t % 2 == 0 ? "anna@work.example" : "Anna <anna@home.example>";
        for (int n = 0; n < each; ++n) {
            const auto kind =
                static_cast<SampleMailKind>(n % static_cast<int>(SampleMailKind::kCount));
            mail[static_cast<std::size_t>(t)].push_back(
                SampleMail(kind, t * 1000 + n, 1700000000 + n, "bob@example.org", to));
        }
    }
    return mail;
}

std::vector<standin::ReceivedEvent> EventsWithoutTimes(std::vector<standin::ReceivedEvent> events) {
    for (standin::ReceivedEvent& event : events) {
        std::erase_if(event.properties, [](const standin::EventProperty& property) {
            return property.name == u"received";
        });
    }
    std::sort(events.begin(), events.end(),
              [](const auto& left, const auto& right) { return SortKey(left) < SortKey(right); });
    return events;
}

}  // namespace ombrel::testing
