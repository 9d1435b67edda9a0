// A pin of a fake filter. Like real pins it counts its references on its filter, and a
// connection holds a reference on the pin at the other end; the graph breaks connections when a
// filter leaves it.
#pragma once

#include "fakes/FakeObject.h"

#include <wrl/client.h>

class FakeFilterBase;

class FakePin final : public FakeCom<FakeObject, IPin>
{
public:
    FakePin(FakeFilterBase* owner, std::wstring id, PIN_DIRECTION direction,
            std::vector<GUID> majorTypes);

    // IPin
    HRESULT STDMETHODCALLTYPE Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** pins, ULONG* count) override;
    HRESULT STDMETHODCALLTYPE EndOfStream() override;
    HRESULT STDMETHODCALLTYPE BeginFlush() override;
    HRESULT STDMETHODCALLTYPE EndFlush() override;
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop,
                                         double rate) override;

    // For the graph and for tests; none of these is logged.
    const std::wstring& Id() const { return id; }
    PIN_DIRECTION Direction() const { return direction; }
    FakeFilterBase* Owner() const { return owner; }
    FakePin* Peer() const;
    bool IsConnected() const { return peer != nullptr; }
    bool Carries(REFGUID majorType) const;  // offers that major type (any, if it offers none)
    const std::vector<GUID>& MajorTypes() const { return majorTypes; }
    // Connects both ends / breaks the connection at both ends.
    static void Link(FakePin* output, FakePin* input);
    bool CanLink(FakePin* other) const;  // opposite direction, both free, a common major type
    void Unlink();

    bool OwnedByAnother() const override { return true; }

private:
    void* FindInterface(REFIID iid) override;
    ULONG AddRefCount() override;
    ULONG ReleaseCount() override;

    FakeFilterBase* owner;  // the filter holds the pin, so its owner outlives it
    std::wstring id;
    PIN_DIRECTION direction;
    std::vector<GUID> majorTypes;
    Microsoft::WRL::ComPtr<IPin> peer;
};
