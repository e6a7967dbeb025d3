#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/HResult.h"

namespace ombrel::platform {

// A VT_DATE value: days since 1899-12-30, the fraction being the time of day.
struct VariantDate {
    double days = 0.0;
    friend bool operator==(const VariantDate&, const VariantDate&) = default;
};

// The typed value of an event property: VT_DATE, VT_BSTR or VT_UI4. A text is the caller's, for
// the length of the call that it is handed to.
using PropertyValue = std::variant<VariantDate, std::u16string_view, std::uint32_t>;

// One event of the indexer, as offered through the event interface.
class IndexerEvent {
  public:
    virtual ~IndexerEvent() = default;  // releases the event
    virtual HResult PutProperty(std::u16string_view name, const PropertyValue& value) = 0;
    virtual HResult Submit(std::uint32_t flags) = 0;
};

// The indexer's event factory. Usable from any thread of the library.
class EventFactory {
  public:
    virtual ~EventFactory() = default;  // releases the factory
    // Makes an event. On success `event` holds it, or stays empty when the object that the indexer
    // made does not offer the event interface.
    virtual HResult MakeEvent(std::u16string_view componentId, std::u16string_view schema,
                              std::unique_ptr<IndexerEvent>& event) = 0;
};

// The registration object that the registrar returns.
class IndexerRegistration {
  public:
    virtual ~IndexerRegistration() = default;
    virtual HResult AddRegistrationEntry(const char16_t* entry) = 0;  // entry may be null
};

// The indexer's component registrar.
class IndexerRegistrar {
  public:
    virtual ~IndexerRegistrar() = default;
    // description: the name and value texts in turn, sent as a VT_ARRAY | VT_VARIANT of VT_BSTR.
    virtual HResult DescribeComponent(std::u16string_view componentId,
                                      const std::vector<std::u16string>& description) = 0;
    virtual HResult OpenRegistration(std::u16string_view typeName,
                                     std::unique_ptr<IndexerRegistration>& registration) = 0;
    virtual HResult CommitComponent() = 0;
    virtual HResult RemoveComponent(std::u16string_view componentId) = 0;
};

// Creates the indexer's objects (CoCreateInstance of its classes).
class IndexerConnector {
  public:
    virtual ~IndexerConnector() = default;
    virtual HResult CreateEventFactory(std::unique_ptr<EventFactory>& factory) = 0;
    virtual HResult CreateRegistrar(std::unique_ptr<IndexerRegistrar>& registrar) = 0;
};

}  // namespace ombrel::platform
