// One outgoing interface of the control: the sinks that hosts advised, each under a cookie.
// Its lifetime is the control's; its identity is its own, as connection points require.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <vector>

class ConnectionPoint final : public IConnectionPoint
{
public:
    ConnectionPoint(IUnknown& owner, IConnectionPointContainer& container, const IID& iid);
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    void SetInterfaceId(const IID& id) { iid = id; }
    const IID& InterfaceId() const { return iid; }
    // The sinks as they are now, each held, so a sink may unadvise while events go out.
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> Sinks() const;
    void DisconnectAll() { connections.clear(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return owner.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* out) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

private:
    struct Connection
    {
        DWORD cookie;
        Microsoft::WRL::ComPtr<IUnknown> sink;  // the pointer answered for `iid`
    };

    IUnknown& owner;
    IConnectionPointContainer& container;
    IID iid;
    std::vector<Connection> connections;
    DWORD nextCookie = 1;
};
