#include "bench/store/NullIndexer.h"

#include <cstdint>
#include <string_view>

#include "bench/store/AllocationCount.h"

namespace ombrel::bench {
namespace {

// Writes the bytes behind a value of fixed size, or a text with its length first.
class DumpWriter {
  public:
    explicit DumpWriter(std::FILE* file) : file_(file) {}

    template <typename Value>
    void Raw(const Value& value) {
        std::fwrite(&value, sizeof value, 1, file_);
    }
    void Text(std::u16string_view text) {
        Raw(static_cast<std::uint32_t>(text.size()));
        std::fwrite(text.data(), sizeof(char16_t), text.size(), file_);
    }

  private:
    std::FILE* file_;
};

class Event final : public platform::IndexerEvent {
  public:
    explicit Event(std::FILE* dump) : dump_(dump) {}

    HResult PutProperty(std::u16string_view name, const platform::PropertyValue& value) override {
        if (dump_ == nullptr) return hr::kOk;
        DumpWriter writer(dump_);
        writer.Text(name);
        writer.Raw(static_cast<std::uint8_t>(value.index()));
        if (const auto* date = std::get_if<platform::VariantDate>(&value)) writer.Raw(date->days);
        if (const auto* text = std::get_if<std::u16string_view>(&value)) writer.Text(*text);
        if (const auto* number = std::get_if<std::uint32_t>(&value)) writer.Raw(*number);
        return hr::kOk;
    }
    HResult Submit(std::uint32_t flags) override {
        if (dump_ != nullptr) DumpWriter(dump_).Raw(flags);
        return hr::kOk;
    }

  private:
    std::FILE* dump_;
};

class Factory final : public platform::EventFactory {
  public:
    explicit Factory(std::FILE* dump) : dump_(dump) {}

    HResult MakeEvent(std::u16string_view componentId, std::u16string_view schema,
                      std::unique_ptr<platform::IndexerEvent>& event) override {
        if (dump_ != nullptr) {
            DumpWriter writer(dump_);
            writer.Text(componentId);
            writer.Text(schema);
        }
        const UncountedAllocations indexersOwn;
        event = std::make_unique<Event>(dump_);
        return hr::kOk;
    }

  private:
    std::FILE* dump_;
};

}  // namespace

HResult NullIndexer::CreateEventFactory(std::unique_ptr<platform::EventFactory>& factory) {
    factory = std::make_unique<Factory>(dump_);
    return hr::kOk;
}

HResult NullIndexer::CreateRegistrar(std::unique_ptr<platform::IndexerRegistrar>& registrar) {
    registrar.reset();
    return hr::kClassNotRegistered;
}

}  // namespace ombrel::bench
