#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/HResult.h"
#include "platform/Indexer.h"

namespace ombrel::standin {

// One call that reached the stand-in indexer, with its arguments as text (null stays empty).
struct IndexerCall {
    std::string method;
    std::vector<std::optional<std::u16string>> args;
};

// A property value as the indexer keeps it: its text copied.
using StoredValue = std::variant<platform::VariantDate, std::u16string, std::uint32_t>;
StoredValue Stored(const platform::PropertyValue& value);

struct EventProperty {
    std::u16string name;
    std::uint16_t variantType = 0;  // VT_DATE 7, VT_BSTR 8, VT_UI4 19
    StoredValue value;
    friend bool operator==(const EventProperty&, const EventProperty&) = default;
};

// An event as the indexer received it.
struct ReceivedEvent {
    std::u16string componentId;
    std::u16string schema;
    std::vector<EventProperty> properties;
    std::optional<std::uint32_t> submitFlags;  // set once Submit was called
    friend bool operator==(const ReceivedEvent&, const ReceivedEvent&) = default;
};

// The record of everything the stand-in indexer was asked, and the answers it is told to give.
// Shared by the native stand-in and the COM classes of the Windows one; safe to use from any
// thread.
class IndexerJournal {
  public:
    // Records a call and returns the answer scripted for its method (S_OK when none is).
    HResult Enter(std::string method, std::vector<std::optional<std::u16string>> args = {});
    // Answers `result` to the next `count` calls of the method (every call when count is 0).
    void Script(const std::string& method, HResult result, unsigned count = 0);
    // Runs `action` on the calling thread whenever the method is entered, before it answers.
    void OnEnter(const std::string& method, std::function<void()> action);

    int BeginEvent(std::u16string componentId, std::u16string schema);
    void AddProperty(int event, EventProperty property);
    void MarkSubmitted(int event, std::uint32_t flags);

    void ObjectCreated();
    void ObjectReleased();

    std::vector<IndexerCall> Calls() const;
    std::vector<std::string> Methods() const;
    std::vector<ReceivedEvent> Events() const;
    int LiveObjects() const;
    void Clear();

    // Whether made events offer the event interface.
    void SetOfferEventInterface(bool offer);
    bool OffersEventInterface() const;

  private:
    struct Answer {
        HResult result;
        unsigned remaining;  // 0: for ever
    };

    mutable std::mutex mutex_;
    std::vector<IndexerCall> calls_;
    std::vector<ReceivedEvent> events_;
    std::map<std::string, std::vector<Answer>> answers_;
    std::map<std::string, std::function<void()>> actions_;
    int liveObjects_ = 0;
    bool offerEventInterface_ = true;
};

std::uint16_t VariantTypeOf(const StoredValue& value);
std::u16string DecimalText(std::uint64_t value);

}  // namespace ombrel::standin
