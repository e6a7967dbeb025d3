#pragma once

#include "platform/Indexer.h"

namespace ombrel::platform::win32 {

// The indexer's COM classes, created with CoCreateInstance on the calling thread. The event
// factory is kept in the Global Interface Table and may be used from any thread that has COM
// initialised; it must be released on a thread that has. A factory that the table cannot hold is
// kept as it was created and used directly from every thread.
class Win32Indexer final : public IndexerConnector {
  public:
    HResult CreateEventFactory(std::unique_ptr<EventFactory>& factory) override;
    HResult CreateRegistrar(std::unique_ptr<IndexerRegistrar>& registrar) override;
};

}  // namespace ombrel::platform::win32
