#pragma once

#include <windows.h>

#include <oaidl.h>

#include "platform/IndexerIds.h"

// The indexer's COM interfaces. Each begins with the IUnknown and IDispatch slots; the own slots
// follow in this order.
namespace ombrel::win32 {

struct IOmbrelEventFactory : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE MakeEvent(BSTR componentId, BSTR schema,
                                                IUnknown** event) = 0;
};

struct IOmbrelEvent : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE PutProperty(BSTR name, VARIANT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Submit(LONG flags) = 0;
};

struct IOmbrelRegistration : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE AddRegistrationEntry(BSTR entry) = 0;
};

struct IOmbrelRegistrar : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE DescribeComponent(BSTR componentId, VARIANT description) = 0;
    virtual HRESULT STDMETHODCALLTYPE OpenRegistration(BSTR typeName,
                                                       IOmbrelRegistration** registration) = 0;
    virtual HRESULT STDMETHODCALLTYPE CommitComponent() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveComponent(BSTR componentId) = 0;
};

inline GUID ToWin32Guid(const Guid& guid) {
    GUID result;
    result.Data1 = guid.data1;
    result.Data2 = guid.data2;
    result.Data3 = guid.data3;
    for (int i = 0; i < 8; ++i) result.Data4[i] = guid.data4[static_cast<std::size_t>(i)];
    return result;
}

}  // namespace ombrel::win32
