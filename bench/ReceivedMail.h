#pragma once

#include <cstdint>
#include <string>

#include "host/IncomingMail.h"
#include "host/PluginState.h"
#include "platform/posix/PosixPlatform.h"

// Mail arriving through the spam-score hook as the benchmarks send it.
namespace ombrel::bench {

// The host's side of the hook: hands out the text it holds.
class TextSource final : public MessageDataSource {
  public:
    explicit TextSource(const std::string& text) : text_(text) {}
    std::int32_t Fetch(std::int32_t kind, void* buffer, std::int32_t size) override;

  private:
    const std::string& text_;
};

// The library initialised with indexing on receipt and no accounts, over the given indexer.
struct ReceivingLibrary {
    platform::posix::PosixPlatform posix;
    platform::ScopedPorts ports;

    explicit ReceivingLibrary(platform::IndexerConnector& indexer);
    ~ReceivingLibrary();
    ReceivingLibrary(const ReceivingLibrary&) = delete;
    ReceivingLibrary& operator=(const ReceivingLibrary&) = delete;
};

// A plain text message of exactly `size` bytes.
std::string PlainMessage(std::size_t size);

}  // namespace ombrel::bench
