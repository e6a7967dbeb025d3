#pragma once

#include <cstdio>
#include <memory>

#include "platform/Indexer.h"

namespace ombrel::bench {

// An indexer that takes every event and keeps nothing, so that a run measures the library alone.
// Given a file, it writes each event there whole and exactly (every property's name, type and
// value as bytes), so that two runs can be compared byte for byte.
class NullIndexer final : public platform::IndexerConnector {
  public:
    explicit NullIndexer(std::FILE* dump = nullptr) : dump_(dump) {}

    HResult CreateEventFactory(std::unique_ptr<platform::EventFactory>& factory) override;
    HResult CreateRegistrar(std::unique_ptr<platform::IndexerRegistrar>& registrar) override;

  private:
    std::FILE* dump_;
};

}  // namespace ombrel::bench
