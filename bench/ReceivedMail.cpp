#include "bench/ReceivedMail.h"

#include <algorithm>
#include <cstring>

namespace ombrel::bench {

std::int32_t TextSource::Fetch(std::int32_t /*kind*/, void* buffer, std::int32_t size) {
    if (buffer == nullptr) return static_cast<std::int32_t>(text_.size());
    std::memcpy(buffer, text_.data(), std::min(text_.size(), static_cast<std::size_t>(size)));
    return size;
}

ReceivingLibrary::ReceivingLibrary(platform::IndexerConnector& indexer)
    : ports(posix.MakePorts(&indexer)) {
    PluginState& state = State();
    indexer.CreateEventFactory(state.eventFactory);
    state.accounts = std::make_unique<AccountList>();
    state.activeConfig.indexOnReceive = 1;
    state.initialized = true;
}

ReceivingLibrary::~ReceivingLibrary() {
    PluginState& state = State();
    state.initialized = false;
    state.accounts.reset();
    state.eventFactory.reset();
}

std::string PlainMessage(std::size_t size) {
    std::string text =
        "From: Anna <anna@example.org>\r\nTo: bob@example.net\r\nSubject: Figures\r\n"
        "Content-Type: text/plain; charset=us-ascii\r\n\r\n";
    const std::string line = "The figures for the quarter are attached and summarised here.\r\n";
    while (text.size() + line.size() <= size) text += line;
    text.append(size - text.size(), '.');
    return text;
}

}  // namespace ombrel::bench
