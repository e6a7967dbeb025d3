#include "tests/support/win32/ComStandInIndexer.h"

#include <oaidl.h>

#include "platform/win32/IndexerInterfaces.h"

namespace ombrel::standin {
namespace {

using Args = std::vector<std::optional<std::u16string>>;
using win32::IOmbrelEvent;
using win32::IOmbrelEventFactory;
using win32::IOmbrelRegistrar;
using win32::IOmbrelRegistration;
using win32::ToWin32Guid;

std::u16string Text(BSTR text) {
    return text != nullptr
               ? std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text))
               : std::u16string();
}

std::optional<std::u16string> NullableText(BSTR text) {
    return text != nullptr ? std::optional<std::u16string>(Text(text)) : std::nullopt;
}

// IUnknown and IDispatch for a stand-in object offering `Interface` under `interfaceId`. The
// objects are free-threaded, as the journal is. A marshalable one aggregates the free-threaded
// marshaler, so that a pointer passed to another apartment (through the Global Interface Table,
// say) stays a direct one; any other answers E_NOINTERFACE for IMarshal and, having no proxy,
// cannot be marshaled at all.
template <typename Interface>
class StandInObject : public Interface {
  public:
    StandInObject(IndexerJournal& journal, const Guid& interfaceId, bool offered = true,
                  bool marshalable = true)
        : journal_(journal), interfaceId_(ToWin32Guid(interfaceId)), offered_(offered) {
        if (marshalable) CoCreateFreeThreadedMarshaler(static_cast<Interface*>(this), &marshaler_);
        journal_.ObjectCreated();
    }
    virtual ~StandInObject() {
        if (marshaler_ != nullptr) marshaler_->Release();
        journal_.ObjectReleased();
    }
    StandInObject(const StandInObject&) = delete;
    StandInObject& operator=(const StandInObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            (offered_ && IsEqualIID(iid, interfaceId_))) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        if (IsEqualIID(iid, IID_IMarshal) && marshaler_ != nullptr) {
            return marshaler_->QueryInterface(iid, object);
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

  protected:
    IndexerJournal& journal_;

  private:
    IID interfaceId_;
    bool offered_;
    IUnknown* marshaler_ = nullptr;
    LONG references_ = 1;
};

StoredValue ValueOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_DATE:
            return platform::VariantDate{value.date};
        case VT_BSTR:
            return Text(value.bstrVal);
        case VT_UI4:
            return static_cast<std::uint32_t>(value.ulVal);
        default:
            return std::u16string();
    }
}

class Event final : public StandInObject<IOmbrelEvent> {
  public:
    Event(IndexerJournal& journal, int id, bool offered)
        : StandInObject(journal, indexer::kEventInterface, offered), id_(id) {}

    HRESULT STDMETHODCALLTYPE PutProperty(BSTR name, VARIANT value) override {
        const HRESULT result = journal_.Enter("PutProperty", Args{Text(name)});
        journal_.AddProperty(id_, {Text(name), value.vt, ValueOf(value)});
        return result;
    }
    HRESULT STDMETHODCALLTYPE Submit(LONG flags) override {
        const auto bits = static_cast<std::uint32_t>(flags);
        const HRESULT result = journal_.Enter("Submit", Args{DecimalText(bits)});
        journal_.MarkSubmitted(id_, bits);
        return result;
    }

  private:
    int id_;
};

class Factory final : public StandInObject<IOmbrelEventFactory> {
  public:
    Factory(IndexerJournal& journal, bool marshalable)
        : StandInObject(journal, indexer::kEventFactoryInterface, true, marshalable) {}

    HRESULT STDMETHODCALLTYPE MakeEvent(BSTR componentId, BSTR schema, IUnknown** event) override {
        if (event == nullptr) return E_POINTER;
        *event = nullptr;
        const HRESULT result = journal_.Enter("MakeEvent", Args{Text(componentId), Text(schema)});
        if (FAILED(result)) return result;
        const int id = journal_.BeginEvent(Text(componentId), Text(schema));
        *event =
            static_cast<IOmbrelEvent*>(new Event(journal_, id, journal_.OffersEventInterface()));
        return result;
    }
};

class Registration final : public StandInObject<IOmbrelRegistration> {
  public:
    explicit Registration(IndexerJournal& journal) : StandInObject(journal, Guid{}) {}

    HRESULT STDMETHODCALLTYPE AddRegistrationEntry(BSTR entry) override {
        return journal_.Enter("AddRegistrationEntry", Args{NullableText(entry)});
    }
};

// The description as its texts, when it is a one-dimensional VT_VARIANT array from index 0 whose
// elements are all VT_BSTR.
std::optional<std::vector<std::u16string>> DescriptionTexts(const VARIANT& description) {
    if (description.vt != (VT_ARRAY | VT_VARIANT) || description.parray == nullptr) return {};
    SAFEARRAY* array = description.parray;
    LONG lower = 0;
    LONG upper = -1;
    if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)) || lower != 0) {
        return {};
    }
    std::vector<std::u16string> texts;
    for (LONG i = lower; i <= upper; ++i) {
        VARIANT element;
        VariantInit(&element);
        if (FAILED(SafeArrayGetElement(array, &i, &element)) || element.vt != VT_BSTR) {
            VariantClear(&element);
            return {};
        }
        texts.push_back(Text(element.bstrVal));
        VariantClear(&element);
    }
    return texts;
}

class Registrar final : public StandInObject<IOmbrelRegistrar> {
  public:
    Registrar(IndexerJournal& journal, bool marshalable)
        : StandInObject(journal, indexer::kRegistrarInterface, true, marshalable) {}

    HRESULT STDMETHODCALLTYPE DescribeComponent(BSTR componentId, VARIANT description) override {
        Args args{Text(componentId)};
        if (auto texts = DescriptionTexts(description)) {
            args.insert(args.end(), texts->begin(), texts->end());
        } else {
            args.emplace_back(u"<not an array of texts>");
        }
        return journal_.Enter("DescribeComponent", std::move(args));
    }
    HRESULT STDMETHODCALLTYPE OpenRegistration(BSTR typeName,
                                               IOmbrelRegistration** registration) override {
        if (registration == nullptr) return E_POINTER;
        *registration = nullptr;
        const HRESULT result = journal_.Enter("OpenRegistration", Args{Text(typeName)});
        if (SUCCEEDED(result)) *registration = new Registration(journal_);
        return result;
    }
    HRESULT STDMETHODCALLTYPE CommitComponent() override {
        return journal_.Enter("CommitComponent");
    }
    HRESULT STDMETHODCALLTYPE RemoveComponent(BSTR componentId) override {
        return journal_.Enter("RemoveComponent", Args{Text(componentId)});
    }
};

// A class object of this process: records the creation and makes a new object of T, marshalable
// as the stand-in's setting says at the time.
template <typename T>
class ClassFactory final : public IClassFactory {
  public:
    ClassFactory(IndexerJournal& journal, const char* creation, const bool& marshalable)
        : journal_(journal), creation_(creation), marshalable_(marshalable) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the stand-in
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        const HRESULT result = journal_.Enter(creation_, Args{GuidText(iid)});
        if (FAILED(result)) return result;
        T* created = new T(journal_, marshalable_);
        const HRESULT found = created->QueryInterface(iid, object);
        created->Release();
        return found;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  private:
    IndexerJournal& journal_;
    const char* creation_;
    const bool& marshalable_;
};

}  // namespace

std::u16string GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    const int length = StringFromGUID2(guid, text, 40);
    return length > 1 ? std::u16string(reinterpret_cast<const char16_t*>(text),
                                       static_cast<std::size_t>(length - 1))
                      : std::u16string();
}

ComStandInIndexer::ComStandInIndexer(IndexerJournal& journal)
    : journal_(journal),
      factoryClass_(new ClassFactory<Factory>(journal, "CreateEventFactory", marshalable_)),
      registrarClass_(new ClassFactory<Registrar>(journal, "CreateRegistrar", marshalable_)) {}

ComStandInIndexer::~ComStandInIndexer() {
    Revoke();
    delete static_cast<ClassFactory<Factory>*>(factoryClass_);
    delete static_cast<ClassFactory<Registrar>*>(registrarClass_);
}

bool ComStandInIndexer::Register() {
    Revoke();
    const CLSID factory = ToWin32Guid(indexer::kEventFactoryClass);
    const CLSID registrar = ToWin32Guid(indexer::kRegistrarClass);
    return SUCCEEDED(CoRegisterClassObject(factory, factoryClass_, CLSCTX_INPROC_SERVER,
                                           REGCLS_MULTIPLEUSE, &factoryCookie_)) &&
           SUCCEEDED(CoRegisterClassObject(registrar, registrarClass_, CLSCTX_INPROC_SERVER,
                                           REGCLS_MULTIPLEUSE, &registrarCookie_));
}

IClassFactory* ComStandInIndexer::ClassObject(const CLSID& classId) const {
    if (IsEqualCLSID(classId, ToWin32Guid(indexer::kEventFactoryClass))) return factoryClass_;
    if (IsEqualCLSID(classId, ToWin32Guid(indexer::kRegistrarClass))) return registrarClass_;
    return nullptr;
}

void ComStandInIndexer::Revoke() {
    if (factoryCookie_ != 0) CoRevokeClassObject(factoryCookie_);
    if (registrarCookie_ != 0) CoRevokeClassObject(registrarCookie_);
    factoryCookie_ = 0;
    registrarCookie_ = 0;
}

}  // namespace ombrel::standin
