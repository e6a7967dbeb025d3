#include "platform/win32/Win32Indexer.h"

#include "common/Exceptions.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/IndexerInterfaces.h"
#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {
namespace {

using ombrel::win32::ComPtr;
using ombrel::win32::ComString;
using ombrel::win32::IOmbrelEvent;
using ombrel::win32::IOmbrelEventFactory;
using ombrel::win32::IOmbrelRegistrar;
using ombrel::win32::IOmbrelRegistration;
using ombrel::win32::ToWin32Guid;

// Owns a VARIANT and clears it.
class Variant {
  public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT& Get() { return value_; }

  private:
    VARIANT value_;
};

void Fill(Variant& variant, const PropertyValue& value) {
    VARIANT& v = variant.Get();
    if (const auto* date = std::get_if<VariantDate>(&value)) {
        v.vt = VT_DATE;
        v.date = date->days;
    } else if (const auto* text = std::get_if<std::u16string_view>(&value)) {
        v.bstrVal = ombrel::win32::AllocComString(*text);
        v.vt = VT_BSTR;
    } else {
        v.vt = VT_UI4;
        v.ulVal = std::get<std::uint32_t>(value);
    }
}

class ComEvent final : public IndexerEvent {
  public:
    ComEvent(ComPtr<IUnknown> made, ComPtr<IOmbrelEvent> event)
        : made_(std::move(made)), event_(std::move(event)) {}

    HResult PutProperty(std::u16string_view name, const PropertyValue& value) override {
        const ComString comName(name);
        Variant variant;
        Fill(variant, value);
        return event_->PutProperty(comName.Get(), variant.Get());
    }
    HResult Submit(std::uint32_t flags) override {
        return event_->Submit(static_cast<LONG>(flags));
    }

  private:
    ComPtr<IUnknown> made_;
    ComPtr<IOmbrelEvent> event_;
};

// Makes an event with the factory and asks the made object for the event interface.
HResult MakeEventWith(IOmbrelEventFactory& factory, std::u16string_view componentId,
                      std::u16string_view schema, std::unique_ptr<IndexerEvent>& event) {
    ComPtr<IUnknown> made;
    HResult result;
    {
        const ComString id(componentId);
        const ComString schemaName(schema);
        result = factory.MakeEvent(id.Get(), schemaName.Get(), made.Receive());
    }
    if (Failed(result) || !made) return result;
    ComPtr<IOmbrelEvent> typed;
    const IID eventInterface = ToWin32Guid(indexer::kEventInterface);
    if (SUCCEEDED(made->QueryInterface(eventInterface, typed.ReceiveVoid())) && typed) {
        event = std::make_unique<ComEvent>(std::move(made), std::move(typed));
    }
    return result;
}

// The event factory as the Global Interface Table holds it: registered when made on the thread
// that created it, fetched on the calling thread for each event, so that every thread reaches the
// indexer through a pointer that is valid in its own apartment; revoked when released.
class GlobalEventFactory final : public EventFactory {
  public:
    GlobalEventFactory(ComPtr<IGlobalInterfaceTable> table, DWORD cookie)
        : table_(std::move(table)), cookie_(cookie) {}
    ~GlobalEventFactory() override { table_->RevokeInterfaceFromGlobal(cookie_); }
    GlobalEventFactory(const GlobalEventFactory&) = delete;
    GlobalEventFactory& operator=(const GlobalEventFactory&) = delete;

    // Null when the table cannot hold the factory: an object without a proxy that does not
    // marshal itself cannot be registered there.
    static std::unique_ptr<EventFactory> Register(IOmbrelEventFactory& factory) {
        ComPtr<IGlobalInterfaceTable> table;
        const HResult created =
            CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IGlobalInterfaceTable, table.ReceiveVoid());
        if (Failed(created) || !table) return nullptr;
        DWORD cookie = 0;
        const IID factoryInterface = ToWin32Guid(indexer::kEventFactoryInterface);
        if (Failed(table->RegisterInterfaceInGlobal(&factory, factoryInterface, &cookie)))
            return nullptr;
        return std::make_unique<GlobalEventFactory>(std::move(table), cookie);
    }

    HResult MakeEvent(std::u16string_view componentId, std::u16string_view schema,
                      std::unique_ptr<IndexerEvent>& event) override {
        ComPtr<IOmbrelEventFactory> factory;
        const IID factoryInterface = ToWin32Guid(indexer::kEventFactoryInterface);
        const HResult fetched =
            table_->GetInterfaceFromGlobal(cookie_, factoryInterface, factory.ReceiveVoid());
        if (Failed(fetched) || !factory) return Failed(fetched) ? fetched : hr::kNoInterface;
        return MakeEventWith(*factory.Get(), componentId, schema, event);
    }

  private:
    ComPtr<IGlobalInterfaceTable> table_;
    DWORD cookie_;
};

// The event factory as it was created, used directly from every thread: for an indexer whose
// factory the Global Interface Table cannot hold.
class DirectEventFactory final : public EventFactory {
  public:
    explicit DirectEventFactory(ComPtr<IOmbrelEventFactory> factory)
        : factory_(std::move(factory)) {}

    HResult MakeEvent(std::u16string_view componentId, std::u16string_view schema,
                      std::unique_ptr<IndexerEvent>& event) override {
        return MakeEventWith(*factory_.Get(), componentId, schema, event);
    }

  private:
    ComPtr<IOmbrelEventFactory> factory_;
};

class ComRegistration final : public IndexerRegistration {
  public:
    explicit ComRegistration(ComPtr<IOmbrelRegistration> registration)
        : registration_(std::move(registration)) {}

    HResult AddRegistrationEntry(const char16_t* entry) override {
        if (entry == nullptr) return registration_->AddRegistrationEntry(nullptr);
        const ComString text(entry);
        return registration_->AddRegistrationEntry(text.Get());
    }

  private:
    ComPtr<IOmbrelRegistration> registration_;
};

// A SAFEARRAY of VT_VARIANT elements, each a VT_BSTR.
SAFEARRAY* MakeTextArray(const std::vector<std::u16string>& texts) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(texts.size()));
    if (array == nullptr) throw CAtlException(hr::kOutOfMemory);
    for (LONG i = 0; i < static_cast<LONG>(texts.size()); ++i) {
        Variant element;
        try {
            Fill(element, texts[static_cast<std::size_t>(i)]);
        } catch (...) {
            SafeArrayDestroy(array);
            throw;
        }
        SafeArrayPutElement(array, &i, &element.Get());  // stores a copy
    }
    return array;
}

class ComRegistrar final : public IndexerRegistrar {
  public:
    explicit ComRegistrar(ComPtr<IOmbrelRegistrar> registrar) : registrar_(std::move(registrar)) {}

    HResult DescribeComponent(std::u16string_view componentId,
                              const std::vector<std::u16string>& description) override {
        const ComString id(componentId);
        Variant wrapped;
        wrapped.Get().parray = MakeTextArray(description);
        wrapped.Get().vt = VT_ARRAY | VT_VARIANT;
        return registrar_->DescribeComponent(id.Get(), wrapped.Get());
    }
    HResult OpenRegistration(std::u16string_view typeName,
                             std::unique_ptr<IndexerRegistration>& registration) override {
        const ComString name(typeName);
        ComPtr<IOmbrelRegistration> opened;
        const HResult result = registrar_->OpenRegistration(name.Get(), opened.Receive());
        if (Succeeded(result) && opened) {
            registration = std::make_unique<ComRegistration>(std::move(opened));
        }
        return result;
    }
    HResult CommitComponent() override { return registrar_->CommitComponent(); }
    HResult RemoveComponent(std::u16string_view componentId) override {
        const ComString id(componentId);
        return registrar_->RemoveComponent(id.Get());
    }

  private:
    ComPtr<IOmbrelRegistrar> registrar_;
};

template <typename Interface>
HResult Create(const Guid& classId, std::uint32_t context, const Guid& interfaceId,
               ComPtr<Interface>& object) {
    const CLSID clsid = ToWin32Guid(classId);
    const IID iid = ToWin32Guid(interfaceId);
    return CoCreateInstance(clsid, nullptr, context, iid, object.ReceiveVoid());
}

}  // namespace

HResult Win32Indexer::CreateEventFactory(std::unique_ptr<EventFactory>& factory) {
    ComPtr<IOmbrelEventFactory> created;
    const HResult result = Create(indexer::kEventFactoryClass, indexer::kEventFactoryContext,
                                  indexer::kEventFactoryInterface, created);
    if (Failed(result) || !created) return result;
    factory = GlobalEventFactory::Register(*created.Get());
    if (!factory) factory = std::make_unique<DirectEventFactory>(std::move(created));
    return result;
}

HResult Win32Indexer::CreateRegistrar(std::unique_ptr<IndexerRegistrar>& registrar) {
    ComPtr<IOmbrelRegistrar> created;
    const HResult result = Create(indexer::kRegistrarClass, indexer::kRegistrarContext,
                                  indexer::kRegistrarInterface, created);
    if (Succeeded(result) && created)
        registrar = std::make_unique<ComRegistrar>(std::move(created));
    return result;
}

}  // namespace ombrel::platform::win32
