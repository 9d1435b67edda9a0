#include "fakes/FakePin.h"

#include "fakes/FakeEnumerator.h"
#include "fakes/FakeFilter.h"
#include "fakes/FakeRegistry.h"

#include <algorithm>
#include <cwchar>

using Microsoft::WRL::ComPtr;

FakePin::FakePin(FakeFilterBase* ownerFilter, std::wstring pinId, PIN_DIRECTION pinDirection,
                 std::vector<GUID> types)
    : FakeCom<FakeObject, IPin>(ownerFilter->Name() + ".pin"), owner(ownerFilter),
      id(std::move(pinId)), direction(pinDirection), majorTypes(std::move(types))
{
}

void* FakePin::FindInterface(REFIID iid) { return Pick(iid, {{&IID_IPin, static_cast<IPin*>(this)}}); }

ULONG FakePin::AddRefCount() { return owner->AsBaseFilter()->AddRef(); }
ULONG FakePin::ReleaseCount() { return owner->AsBaseFilter()->Release(); }

FakePin* FakePin::Peer() const { return FakeRegistry::FromInterface<FakePin>(peer.Get()); }

bool FakePin::Carries(REFGUID majorType) const
{
    return majorTypes.empty() ||
           std::any_of(majorTypes.begin(), majorTypes.end(),
                       [&](const GUID& type) { return IsEqualGUID(type, majorType); });
}

bool FakePin::CanLink(FakePin* other) const
{
    if (!other || other->direction == direction || other->IsConnected())
        return false;
    if (majorTypes.empty() || other->majorTypes.empty())
        return true;
    return std::any_of(majorTypes.begin(), majorTypes.end(),
                       [&](const GUID& type) { return other->Carries(type); });
}

void FakePin::Link(FakePin* output, FakePin* input)
{
    output->peer = input;
    input->peer = output;
}

void FakePin::Unlink()
{
    ComPtr<IPin> other = std::move(peer);
    if (FakePin* otherPin = FakeRegistry::FromInterface<FakePin>(other.Get()))
        otherPin->peer.Reset();
}

HRESULT FakePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type)
{
    HRESULT answer = Enter("IPin::Connect", Args(receivePin, type));
    if (FAILED(answer))
        return answer;
    if (!receivePin)
        return E_POINTER;
    if (IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    FakePin* other = FakeRegistry::FromInterface<FakePin>(receivePin);
    if (direction != PINDIR_OUTPUT || !CanLink(other))
        return VFW_E_NO_ACCEPTABLE_TYPES;
    Link(this, other);
    return answer;
}

HRESULT FakePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type)
{
    HRESULT answer = Enter("IPin::ReceiveConnection", Args(connector, type));
    if (FAILED(answer))
        return answer;
    if (!connector)
        return E_POINTER;
    if (IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    FakePin* other = FakeRegistry::FromInterface<FakePin>(connector);
    if (direction != PINDIR_INPUT || !CanLink(other))
        return VFW_E_TYPE_NOT_ACCEPTED;
    Link(other, this);
    return answer;
}

HRESULT FakePin::Disconnect()
{
    HRESULT answer = Enter("IPin::Disconnect");
    if (FAILED(answer))
        return answer;
    if (!peer)
        return S_FALSE;
    peer.Reset();  // this end only, as a pin does; the graph disconnects both ends
    return answer;
}

HRESULT FakePin::ConnectedTo(IPin** pin)
{
    HRESULT answer = Enter("IPin::ConnectedTo", Args(Out(pin)));
    if (FAILED(answer))
        return answer;
    if (!pin)
        return E_POINTER;
    *pin = nullptr;
    if (!peer)
        return VFW_E_NOT_CONNECTED;
    peer.CopyTo(pin);
    return answer;
}

HRESULT FakePin::ConnectionMediaType(AM_MEDIA_TYPE* type)
{
    HRESULT answer = Enter("IPin::ConnectionMediaType", Args(Out(type)));
    if (FAILED(answer))
        return answer;
    if (!type)
        return E_POINTER;
    *type = AM_MEDIA_TYPE{};
    if (!peer)
        return VFW_E_NOT_CONNECTED;
    if (!majorTypes.empty())
        type->majortype = majorTypes.front();
    return answer;
}

HRESULT FakePin::QueryPinInfo(PIN_INFO* info)
{
    HRESULT answer = Enter("IPin::QueryPinInfo", Args(Out(info)));
    if (FAILED(answer))
        return answer;
    if (!info)
        return E_POINTER;
    info->pFilter = owner->AsBaseFilter();
    info->pFilter->AddRef();
    info->dir = direction;
    wcsncpy(info->achName, id.c_str(), MAX_PIN_NAME - 1);
    info->achName[MAX_PIN_NAME - 1] = L'\0';
    return answer;
}

HRESULT FakePin::QueryDirection(PIN_DIRECTION* pinDirection)
{
    return Answer("IPin::QueryDirection", pinDirection, direction);
}

HRESULT FakePin::QueryId(LPWSTR* pinId)
{
    HRESULT answer = Enter("IPin::QueryId", Args(Out(pinId)));
    if (FAILED(answer))
        return answer;
    if (!pinId)
        return E_POINTER;
    size_t bytes = (id.size() + 1) * sizeof(wchar_t);
    *pinId = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    std::memcpy(*pinId, id.c_str(), bytes);
    return answer;
}

HRESULT FakePin::QueryAccept(const AM_MEDIA_TYPE* type)
{
    HRESULT answer = Enter("IPin::QueryAccept", Args(type));
    if (FAILED(answer))
        return answer;
    return type && Carries(type->majortype) ? answer : S_FALSE;
}

HRESULT FakePin::EnumMediaTypes(IEnumMediaTypes** types)
{
    HRESULT answer = Enter("IPin::EnumMediaTypes", Args(Out(types)));
    if (FAILED(answer))
        return answer;
    if (!types)
        return E_POINTER;
    std::vector<AM_MEDIA_TYPE> snapshot;
    for (const GUID& major : majorTypes) {
        AM_MEDIA_TYPE type{};
        type.majortype = major;
        snapshot.push_back(type);
    }
    *types = new FakeEnumerator<IEnumMediaTypes, AM_MEDIA_TYPE>(Name(), "IEnumMediaTypes",
                                                                std::move(snapshot));
    (*types)->AddRef();
    return answer;
}

HRESULT FakePin::QueryInternalConnections(IPin** pins, ULONG* count)
{
    Enter("IPin::QueryInternalConnections", Args(Out(pins), Out(count)));
    return E_NOTIMPL;
}

HRESULT FakePin::EndOfStream() { return Enter("IPin::EndOfStream"); }
HRESULT FakePin::BeginFlush() { return Enter("IPin::BeginFlush"); }
HRESULT FakePin::EndFlush() { return Enter("IPin::EndFlush"); }

HRESULT FakePin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    return Enter("IPin::NewSegment", Args(start, stop, rate));
}
