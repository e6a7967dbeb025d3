// Offers message files to the library's incoming-mail path natively, as the host offers arriving
// mail, and prints the event that each one gave, one JSON object a line:
//
//   read_mail_files FILE...
//
// The library runs on the posix platform with the stand-in indexer, indexing on receipt, no
// accounts (so no event names a folder) and the ANSI code page 1252, as an English Windows has.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "host/IncomingMail.h"
#include "host/PluginState.h"
#include "platform/posix/PosixPlatform.h"
#include "tests/support/EventLines.h"
#include "tests/support/StandInIndexer.h"

namespace {

using namespace ombrel;

constexpr std::int32_t kMessageText = 100005;

// The host's callback over one message's text.
class FileMessage final : public MessageDataSource {
  public:
    explicit FileMessage(std::string text) : text_(std::move(text)) {}

    std::int32_t Fetch(std::int32_t dataKind, void* buffer, std::int32_t size) override {
        if (dataKind != kMessageText) return 0;
        if (buffer == nullptr) return static_cast<std::int32_t>(text_.size());
        const std::size_t count = std::min(text_.size(), static_cast<std::size_t>(size));
        std::memcpy(buffer, text_.data(), count);
        return static_cast<std::int32_t>(count);
    }

  private:
    std::string text_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: read_mail_files FILE...\n");
        return 2;
    }
    platform::posix::PosixPlatform posix;
    posix.codePages.SetAnsiCodePage(1252);
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer(journal);
    const platform::ScopedPorts ports(posix.MakePorts(&indexer));
    PluginState& state = State();
    indexer.CreateEventFactory(state.eventFactory);
    state.accounts = std::make_unique<AccountList>();
    state.activeConfig.indexOnReceive = 1;
    state.initialized = true;

    int failures = 0;
    for (int at = 1; at < argc; ++at) {
        std::ifstream file(argv[at], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", argv[at]);
            ++failures;
            continue;
        }
        FileMessage message{std::string(std::istreambuf_iterator<char>(file), {})};
        const std::size_t before = journal.Events().size();
        IndexIncomingMessage(message);
        const std::vector<standin::ReceivedEvent> events = journal.Events();
        const std::string name = argv[at];
        for (std::size_t i = before; i < events.size(); ++i) {
            standin::PrintEvent(std::u16string(name.begin(), name.end()), events[i]);
        }
        if (events.size() != before + 1) ++failures;
    }
    state.eventFactory.reset();
    return failures == 0 ? 0 : 1;
}
