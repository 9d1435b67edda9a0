#include "EventConnection.h"

#include "NamedEventSink.h"
#include "SourceConnection.h"

#include <new>

using Microsoft::WRL::ComPtr;

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
    sink.Attach(new (std::nothrow) CNamedEventSink(
        found.source, found.events.Get(),
        [handler = std::move(handler)](const std::wstring& name, DISPPARAMS*) { handler(name); }));
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
