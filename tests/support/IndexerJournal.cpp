#include "tests/support/IndexerJournal.h"

namespace ombrel::standin {

HResult IndexerJournal::Enter(std::string method, std::vector<std::optional<std::u16string>> args) {
    std::function<void()> action;
    {
        std::lock_guard lock(mutex_);
        if (auto found = actions_.find(method); found != actions_.end()) action = found->second;
    }
    if (action) action();
    std::lock_guard lock(mutex_);
    HResult result = hr::kOk;
    auto found = answers_.find(method);
    if (found != answers_.end() && !found->second.empty()) {
        Answer& answer = found->second.front();
        result = answer.result;
        if (answer.remaining != 0 && --answer.remaining == 0) {
            found->second.erase(found->second.begin());
        }
    }
    calls_.push_back({std::move(method), std::move(args)});
    return result;
}

void IndexerJournal::Script(const std::string& method, HResult result, unsigned count) {
    std::lock_guard lock(mutex_);
    answers_[method].push_back({result, count});
}

void IndexerJournal::OnEnter(const std::string& method, std::function<void()> action) {
    std::lock_guard lock(mutex_);
    actions_[method] = std::move(action);
}

int IndexerJournal::BeginEvent(std::u16string componentId, std::u16string schema) {
    std::lock_guard lock(mutex_);
    events_.push_back({std::move(componentId), std::move(schema), {}, std::nullopt});
    return static_cast<int>(events_.size()) - 1;
}

void IndexerJournal::AddProperty(int event, EventProperty property) {
    std::lock_guard lock(mutex_);
    events_.at(static_cast<std::size_t>(event)).properties.push_back(std::move(property));
}

void IndexerJournal::MarkSubmitted(int event, std::uint32_t flags) {
    std::lock_guard lock(mutex_);
    events_.at(static_cast<std::size_t>(event)).submitFlags = flags;
}

void IndexerJournal::ObjectCreated() {
    std::lock_guard lock(mutex_);
    ++liveObjects_;
}

void IndexerJournal::ObjectReleased() {
    std::lock_guard lock(mutex_);
    --liveObjects_;
}

std::vector<IndexerCall> IndexerJournal::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::string> IndexerJournal::Methods() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> methods;
    methods.reserve(calls_.size());
    for (const IndexerCall& call : calls_) methods.push_back(call.method);
    return methods;
}

std::vector<ReceivedEvent> IndexerJournal::Events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

int IndexerJournal::LiveObjects() const {
    std::lock_guard lock(mutex_);
    return liveObjects_;
}

void IndexerJournal::Clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
    events_.clear();
    answers_.clear();
    actions_.clear();
    offerEventInterface_ = true;
}

void IndexerJournal::SetOfferEventInterface(bool offer) {
    std::lock_guard lock(mutex_);
    offerEventInterface_ = offer;
}

bool IndexerJournal::OffersEventInterface() const {
    std::lock_guard lock(mutex_);
    return offerEventInterface_;
}

StoredValue Stored(const platform::PropertyValue& value) {
    if (const auto* text = std::get_if<std::u16string_view>(&value)) return std::u16string(*text);
    if (const auto* date = std::get_if<platform::VariantDate>(&value)) return *date;
    return std::get<std::uint32_t>(value);
}

std::uint16_t VariantTypeOf(const StoredValue& value) {
    constexpr std::uint16_t kTypes[] = {7, 8, 19};
    return kTypes[value.index()];
}

std::u16string DecimalText(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace ombrel::standin
