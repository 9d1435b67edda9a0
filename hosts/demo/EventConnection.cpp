#include "EventConnection.h"

#include "RefCountedObject.h"
#include "SourceConnection.h"

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

} // namespace

HRESULT CEventConnection::Connect(IUnknown* control, EventHandler handler)
{
    Disconnect();
    SourceConnection found;
    HRESULT hr = FindSourceConnection(control, found);
    if (FAILED(hr))
        return hr;
    if (!found.events)
        return TYPE_E_ELEMENTNOTFOUND;

    ComPtr<IDispatch> sink;
    sink.Attach(new (std::nothrow) CEventSink(found.source, found.events.Get(), std::move(handler)));
    if (!sink)
        return E_OUTOFMEMORY;
    hr = found.point->Advise(sink.Get(), &cookie);
    if (SUCCEEDED(hr))
        point = found.point;
    return hr;
}

void CEventConnection::Disconnect()
{
    if (point)
        point->Unadvise(cookie);
    point.Reset();
    cookie = 0;
}
