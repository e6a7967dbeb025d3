#pragma once

#include <memory>

#include "common/HResult.h"
#include "platform/Indexer.h"

namespace ombrel::platform::posix {

// The indexer of a machine where none is installed, for a command that reads the mail store
// without making events: every creation fails as CoCreateInstance does for a class that is not
// registered.
class AbsentIndexer final : public IndexerConnector {
  public:
    HResult CreateEventFactory(std::unique_ptr<EventFactory>& /*factory*/) override {
        return hr::kClassNotRegistered;
    }
    HResult CreateRegistrar(std::unique_ptr<IndexerRegistrar>& /*registrar*/) override {
        return hr::kClassNotRegistered;
    }
};

}  // namespace ombrel::platform::posix
