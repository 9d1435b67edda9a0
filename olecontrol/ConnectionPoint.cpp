#include "ConnectionPoint.h"

#include "SnapshotEnumerator.h"

#include <new>

ConnectionPoint::ConnectionPoint(IUnknown& owner, IConnectionPointContainer& container, const IID& iid)
    : owner(owner), container(container), iid(iid)
{
}

std::vector<Microsoft::WRL::ComPtr<IUnknown>> ConnectionPoint::Sinks() const
{
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> sinks;
    sinks.reserve(connections.size());
    for (const Connection& connection : connections)
        sinks.push_back(connection.sink);
    return sinks;
}

HRESULT ConnectionPoint::QueryInterface(REFIID id, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* out)
{
    if (!out)
        return E_POINTER;
    *out = iid;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    if (!out)
        return E_POINTER;
    *out = &container;
    container.AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    Microsoft::WRL::ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(iid, reinterpret_cast<void**>(typed.GetAddressOf()))) || !typed)
        return CONNECT_E_CANNOTCONNECT;
    try {
        connections.push_back({nextCookie, typed});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie++;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie)
{
    for (auto it = connections.begin(); it != connections.end(); ++it) {
        if (it->cookie == cookie) {
            // Released after the erase: the sink's release may call back into us.
            Microsoft::WRL::ComPtr<IUnknown> released = std::move(it->sink);
            connections.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    try {
        std::vector<CONNECTDATA> snapshot;
        for (const Connection& connection : connections)
            snapshot.push_back({connection.sink.Get(), connection.cookie});
        return ConnectionEnumerator::Create(&owner, std::move(snapshot), out);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
