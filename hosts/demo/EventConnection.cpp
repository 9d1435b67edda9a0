#include "EventConnection.h"

#include "RefCountedObject.h"

#include <new>

using Microsoft::WRL::ComPtr;

namespace {

// The sink: answers IDispatch and the source interface, and turns each DISPID into its name.
class CEventSink final : public CLateBoundDispatch
{
public:
    CEventSink(REFIID source, ITypeInfo* events, EventHandler handler)
        : source(source), events(events), handler(std::move(handler))
    {
    }

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (result)
            VariantInit(result);
        // The control hears success whatever the handler does.
        WithoutThrowing([&] {
            std::wstring name;
            if (NameOf(dispid, name))
                handler(name);
            return S_OK;
        });
        return S_OK;
    }

protected:
    bool IsOffered(REFIID iid) const override { return iid == IID_IDispatch || iid == source; }

private:
    bool NameOf(DISPID dispid, std::wstring& name) const
    {
        BSTR found = nullptr;
        UINT count = 0;
        if (!events || FAILED(events->GetNames(dispid, &found, 1, &count)) || count == 0 || !found)
            return false;
        name.assign(found, SysStringLen(found));
        SysFreeString(found);
        return true;
    }

    IID source;
    ComPtr<ITypeInfo> events;
    EventHandler handler;
};

// The type description of interface `iid` among those the control's class implements.
ComPtr<ITypeInfo> ImplementedTypeInfo(IProvideClassInfo2* classInfo, REFIID iid)
{
    ComPtr<ITypeInfo> coclass;
    TYPEATTR* attributes = nullptr;
    if (FAILED(classInfo->GetClassInfo(&coclass)) || FAILED(coclass->GetTypeAttr(&attributes)))
        return nullptr;
    WORD implemented = attributes->cImplTypes;
    coclass->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < implemented; ++i) {
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> candidate;
        TYPEATTR* candidateAttributes = nullptr;
        if (FAILED(coclass->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(coclass->GetRefTypeInfo(reference, &candidate)) ||
            FAILED(candidate->GetTypeAttr(&candidateAttributes)))
            continue;
        bool matches = IsEqualIID(candidateAttributes->guid, iid) != FALSE;
        candidate->ReleaseTypeAttr(candidateAttributes);
        if (matches)
            return candidate;
    }
    return nullptr;
}

} // namespace

HRESULT CEventConnection::Connect(IUnknown* control, EventHandler handler)
{
    Disconnect();
    ComPtr<IProvideClassInfo2> classInfo;
    HRESULT hr = control->QueryInterface(IID_PPV_ARGS(&classInfo));
    IID source = {};
    if (SUCCEEDED(hr))
        hr = classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source);
    ComPtr<IConnectionPointContainer> container;
    if (SUCCEEDED(hr))
        hr = control->QueryInterface(IID_PPV_ARGS(&container));
    ComPtr<IConnectionPoint> found;
    if (SUCCEEDED(hr))
        hr = container->FindConnectionPoint(source, &found);
    if (FAILED(hr))
        return hr;
    ComPtr<ITypeInfo> events = ImplementedTypeInfo(classInfo.Get(), source);
    if (!events)
        return TYPE_E_ELEMENTNOTFOUND;

    ComPtr<IDispatch> sink;
    sink.Attach(new (std::nothrow) CEventSink(source, events.Get(), std::move(handler)));
    if (!sink)
        return E_OUTOFMEMORY;
    hr = found->Advise(sink.Get(), &cookie);
    if (SUCCEEDED(hr))
        point = found;
    return hr;
}

void CEventConnection::Disconnect()
{
    if (point)
        point->Unadvise(cookie);
    point.Reset();
    cookie = 0;
}
