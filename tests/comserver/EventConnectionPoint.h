// The one outgoing connection point of the test event source: keeps the advised sinks and
// calls each of them on Fire.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <utility>
#include <vector>

class CEventConnectionPoint final : public IConnectionPoint
{
public:
    // `container` owns this object and answers its reference counting.
    CEventConnectionPoint(IConnectionPointContainer& container, REFIID eventsIid);
    CEventConnectionPoint(const CEventConnectionPoint&) = delete;
    CEventConnectionPoint& operator=(const CEventConnectionPoint&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** result) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** result) override;

    // Invokes `dispid` on every sink; a failing sink does not stop the others.
    void Fire(DISPID dispid, DISPPARAMS& parameters);
    size_t ConnectionCount() const { return sinks.size(); }

private:
    IConnectionPointContainer& container;
    IID eventsIid;
    std::vector<std::pair<DWORD, Microsoft::WRL::ComPtr<IDispatch>>> sinks;
    DWORD nextCookie = 1;
};
