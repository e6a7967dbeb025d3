// A message of any bytes arriving through the spam-score hook: the host's text into the message
// buffer, the parse, the account match and the whole e-mail event. Every input gives at most one
// event, sent, and nothing of the indexer outlives the call.
#include <cstring>
#include <memory>

#include "host/IncomingMail.h"
#include "host/PluginState.h"
#include "tests/fuzz/FuzzPlatform.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/StandInIndexer.h"

namespace {

class BytesSource final : public ombrel::MessageDataSource {
  public:
    BytesSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::int32_t Fetch(std::int32_t /*kind*/, void* buffer, std::int32_t size) override {
        if (buffer == nullptr) return static_cast<std::int32_t>(size_);
        const std::size_t count = std::min(size_, static_cast<std::size_t>(size));
        if (count > 0) std::memcpy(buffer, data_, count);
        return static_cast<std::int32_t>(count);
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace

OMBREL_FUZZ_TARGET(IncomingMail) {
    using namespace ombrel;
    fuzz::FuzzPlatform platform(data, size);
    static standin::IndexerJournal journal;
    static standin::StandInIndexer indexer(journal);
    journal.Clear();

    PluginState& state = State();
    indexer.CreateEventFactory(state.eventFactory);
    state.accounts = std::make_unique<AccountList>();
    // Mail to this account is not indexed: it has no state file that enables it.
    state.accounts->push_back(std::make_unique<MailAccount>());
    state.accounts->back()->address = u"@example.net";
    state.activeConfig.indexOnReceive = 1;
    state.activeConfig.preferHtml = size > 0 && (data[size - 1] & 1) != 0;
    state.initialized = true;

    BytesSource source(data, size);
    if (IndexIncomingMessage(source) != -1) __builtin_trap();
    const auto events = journal.Events();
    if (events.size() > 1 || (events.size() == 1 && !events[0].submitFlags)) __builtin_trap();

    state.initialized = false;
    state.activeConfig = PluginConfigData();
    state.accounts.reset();
    state.eventFactory.reset();
    if (journal.LiveObjects() != 0) __builtin_trap();
    return 0;
}
