#include "tests/support/StandInIndexer.h"

namespace ombrel::standin {
namespace {

using Args = std::vector<std::optional<std::u16string>>;

// Counts itself in the journal for as long as it lives.
class Tracked {
  public:
    explicit Tracked(IndexerJournal& journal) : journal_(journal) { journal_.ObjectCreated(); }
    ~Tracked() { journal_.ObjectReleased(); }
    Tracked(const Tracked&) = delete;
    Tracked& operator=(const Tracked&) = delete;

  protected:
    IndexerJournal& journal_;
};

class Event final : public platform::IndexerEvent, Tracked {
  public:
    Event(IndexerJournal& journal, int id) : Tracked(journal), id_(id) {}

    HResult PutProperty(std::u16string_view name, const platform::PropertyValue& value) override {
        const HResult result = journal_.Enter("PutProperty", Args{std::u16string(name)});
        StoredValue stored = Stored(value);
        const std::uint16_t type = VariantTypeOf(stored);
        journal_.AddProperty(id_, {std::u16string(name), type, std::move(stored)});
        return result;
    }
    HResult Submit(std::uint32_t flags) override {
        const HResult result = journal_.Enter("Submit", Args{DecimalText(flags)});
        journal_.MarkSubmitted(id_, flags);
        return result;
    }

  private:
    int id_;
};

class Factory final : public platform::EventFactory, Tracked {
  public:
    using Tracked::Tracked;

    HResult MakeEvent(std::u16string_view componentId, std::u16string_view schema,
                      std::unique_ptr<platform::IndexerEvent>& event) override {
        const HResult result =
            journal_.Enter("MakeEvent", Args{std::u16string(componentId), std::u16string(schema)});
        if (Failed(result)) return result;
        const int id = journal_.BeginEvent(std::u16string(componentId), std::u16string(schema));
        if (journal_.OffersEventInterface()) event = std::make_unique<Event>(journal_, id);
        return result;
    }
};

class Registration final : public platform::IndexerRegistration, Tracked {
  public:
    using Tracked::Tracked;

    HResult AddRegistrationEntry(const char16_t* entry) override {
        return journal_.Enter(
            "AddRegistrationEntry",
            Args{entry != nullptr ? std::optional<std::u16string>(entry) : std::nullopt});
    }
};

class Registrar final : public platform::IndexerRegistrar, Tracked {
  public:
    using Tracked::Tracked;

    HResult DescribeComponent(std::u16string_view componentId,
                              const std::vector<std::u16string>& description) override {
        Args args{std::u16string(componentId)};
        args.insert(args.end(), description.begin(), description.end());
        return journal_.Enter("DescribeComponent", std::move(args));
    }
    HResult OpenRegistration(
        std::u16string_view typeName,
        std::unique_ptr<platform::IndexerRegistration>& registration) override {
        const HResult result = journal_.Enter("OpenRegistration", Args{std::u16string(typeName)});
        if (Succeeded(result)) registration = std::make_unique<Registration>(journal_);
        return result;
    }
    HResult CommitComponent() override { return journal_.Enter("CommitComponent"); }
    HResult RemoveComponent(std::u16string_view componentId) override {
        return journal_.Enter("RemoveComponent", Args{std::u16string(componentId)});
    }
};

}  // namespace

HResult StandInIndexer::CreateEventFactory(std::unique_ptr<platform::EventFactory>& factory) {
    const HResult result = journal_.Enter("CreateEventFactory");
    if (Succeeded(result)) factory = std::make_unique<Factory>(journal_);
    return result;
}

HResult StandInIndexer::CreateRegistrar(std::unique_ptr<platform::IndexerRegistrar>& registrar) {
    const HResult result = journal_.Enter("CreateRegistrar");
    if (Succeeded(result)) registrar = std::make_unique<Registrar>(journal_);
    return result;
}

}  // namespace ombrel::standin
