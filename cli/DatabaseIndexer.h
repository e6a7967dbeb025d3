#pragma once

#include <memory>

#include "cli/MailIndex.h"
#include "mailstore/MessageBaseFile.h"
#include "mime/ParsedMessage.h"
#include "platform/Indexer.h"

namespace ombrel::cli {

// The indexer port over the mail index: every e-mail event submitted is stored as a message.
// Events are filed under the origin set last (none: each event is a message of its own).
class DatabaseIndexer final : public platform::IndexerConnector {
  public:
    explicit DatabaseIndexer(MailIndex& index) : index_(index) {}

    // The message that the next events stand for.
    void SetOrigin(const MessageOrigin& origin) { origin_ = origin; }
    // The base that the origins' messages are read from, parsed into `parsed` when their events
    // are submitted: the whole of each message is indexed, beyond its event.
    void ReadWholeMessages(CTheBatNBBFile& base, const ParsedMessage& parsed) {
        base_ = &base;
        parsed_ = &parsed;
    }

    HResult CreateEventFactory(std::unique_ptr<platform::EventFactory>& factory) override;
    // The database keeps no component registrations: this fails.
    HResult CreateRegistrar(std::unique_ptr<platform::IndexerRegistrar>& registrar) override;

    // Stores an event's record; used by the events that the factory makes.
    HResult Store(EmailRecord& record);

  private:
    MailIndex& index_;
    MessageOrigin origin_;
    CTheBatNBBFile* base_ = nullptr;
    const ParsedMessage* parsed_ = nullptr;
};

}  // namespace ombrel::cli
