#pragma once

#include "platform/Indexer.h"
#include "tests/support/IndexerJournal.h"

namespace ombrel::standin {

// The native stand-in indexer behind the indexer port: every object it makes records its calls in
// the journal and answers what the journal was told.
class StandInIndexer final : public platform::IndexerConnector {
  public:
    explicit StandInIndexer(IndexerJournal& journal) : journal_(journal) {}

    HResult CreateEventFactory(std::unique_ptr<platform::EventFactory>& factory) override;
    HResult CreateRegistrar(std::unique_ptr<platform::IndexerRegistrar>& registrar) override;

  private:
    IndexerJournal& journal_;
};

}  // namespace ombrel::standin
