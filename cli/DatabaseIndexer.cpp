#include "cli/DatabaseIndexer.h"

namespace ombrel::cli {
namespace {

class DatabaseEvent final : public platform::IndexerEvent {
  public:
    explicit DatabaseEvent(DatabaseIndexer& indexer) : indexer_(indexer) {}

    HResult PutProperty(std::u16string_view name, const platform::PropertyValue& value) override {
        try {
            record_.Put(name, value);
            return hr::kOk;
        } catch (...) {
            return hr::kFail;
        }
    }

    HResult Submit(std::uint32_t /*flags*/) override { return indexer_.Store(record_); }

  private:
    DatabaseIndexer& indexer_;
    EmailRecord record_;
};

class DatabaseEventFactory final : public platform::EventFactory {
  public:
    explicit DatabaseEventFactory(DatabaseIndexer& indexer) : indexer_(indexer) {}

    HResult MakeEvent(std::u16string_view /*componentId*/, std::u16string_view /*schema*/,
                      std::unique_ptr<platform::IndexerEvent>& event) override {
        event = std::make_unique<DatabaseEvent>(indexer_);
        return hr::kOk;
    }

  private:
    DatabaseIndexer& indexer_;
};

}  // namespace

HResult DatabaseIndexer::CreateEventFactory(std::unique_ptr<platform::EventFactory>& factory) {
    factory = std::make_unique<DatabaseEventFactory>(*this);
    return hr::kOk;
}

HResult DatabaseIndexer::CreateRegistrar(
    std::unique_ptr<platform::IndexerRegistrar>& /*registrar*/) {
    return hr::kFail;
}

HResult DatabaseIndexer::Store(EmailRecord& record) {
    const char* text = nullptr;
    std::uint32_t size = 0;
    if (base_ != nullptr && origin_.folderId &&
        base_->ReadMessage(origin_.position, &text, &size)) {
        record.stored = {ReadMessageText(*parsed_, {text, size}),
                         base_->Index().Entry(origin_.position).status, size};
    }
    // A database failure would end the indexing of every later message too: it is thrown on, to
    // the command's caller, rather than counted as one skipped message.
    index_.AddMessage(record, origin_);
    return hr::kOk;
}

}  // namespace ombrel::cli
