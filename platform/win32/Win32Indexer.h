#pragma once

#include "platform/Indexer.h"

namespace ombrel::platform::win32 {

// The indexer's COM classes, created with CoCreateInstance on the calling thread.
class Win32Indexer final : public IndexerConnector {
  public:
    HResult CreateEventFactory(std::unique_ptr<EventFactory>& factory) override;
    HResult CreateRegistrar(std::unique_ptr<IndexerRegistrar>& registrar) override;
};

}  // namespace ombrel::platform::win32
