#include "EventConnectionPoint.h"

#include <olectl.h>

CEventConnectionPoint::CEventConnectionPoint(IConnectionPointContainer& container, REFIID eventsIid)
    : container(container), eventsIid(eventsIid)
{
}

STDMETHODIMP CEventConnectionPoint::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEventConnectionPoint::AddRef()
{
    return container.AddRef();
}

STDMETHODIMP_(ULONG) CEventConnectionPoint::Release()
{
    return container.Release();
}

STDMETHODIMP CEventConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = eventsIid;
    return S_OK;
}

STDMETHODIMP CEventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** result)
{
    if (!result)
        return E_POINTER;
    *result = &container;
    container.AddRef();
    return S_OK;
}

STDMETHODIMP CEventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    Microsoft::WRL::ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(eventsIid, reinterpret_cast<void**>(dispatch.GetAddressOf()))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie++;
    sinks.emplace_back(*cookie, dispatch);
    return S_OK;
}

STDMETHODIMP CEventConnectionPoint::Unadvise(DWORD cookie)
{
    for (auto it = sinks.begin(); it != sinks.end(); ++it) {
        if (it->first == cookie) {
            sinks.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CEventConnectionPoint::EnumConnections(IEnumConnections** result)
{
    if (result)
        *result = nullptr;
    return E_NOTIMPL;
}

void CEventConnectionPoint::Fire(DISPID dispid, DISPPARAMS& parameters)
{
    // A handler may unadvise while we call it: call a snapshot.
    auto snapshot = sinks;
    for (auto& sink : snapshot)
        sink.second->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr,
                            nullptr);
}
