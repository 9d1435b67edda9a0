// Pure DirectShow helpers: pins, the filters across them, stream type names.
#include "FilterPins.h"

using Microsoft::WRL::ComPtr;

namespace {
bool HasDirection(IPin* pin, PIN_DIRECTION wanted)
{
    PIN_DIRECTION direction;
    return SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted;
}

// Frees what a media type block points to (not the block itself).
void FreeTypeContents(AM_MEDIA_TYPE& type)
{
    if (type.cbFormat != 0 && type.pbFormat)
        CoTaskMemFree(type.pbFormat);
    if (type.pUnk)
        type.pUnk->Release();
}

// The first connected pin of that direction whose stream is not `skipped`; the filter owning
// the pin at its other end.
HRESULT NextFilterSkipping(const char* skipped, IBaseFilter* filter, PIN_DIRECTION wanted,
                           IBaseFilter** next)
{
    if (!filter || !next)
        return E_POINTER;
    *next = nullptr;
    HRESULT result = E_FAIL;
    HRESULT walked = ForEachPin(filter, [&](IPin* pin) {
        PIN_DIRECTION direction;
        if (FAILED(pin->QueryDirection(&direction)))
            return false;
        if (direction != wanted)
            return true;
        ComPtr<IPin> peer;
        if (FAILED(pin->ConnectedTo(&peer)) || !peer)
            return true;
        if (StreamTypeName(pin) == skipped)
            return true;
        PIN_INFO info = {};
        if (FAILED(peer->QueryPinInfo(&info)) || !info.pFilter) {
            result = E_UNEXPECTED;
            return false;
        }
        *next = info.pFilter;  // takes over the reference QueryPinInfo gave
        result = S_OK;
        return false;
    });
    return FAILED(walked) ? E_FAIL : result;
}
}  // namespace

bool CarriesVideo(IBaseFilter* filter, PIN_DIRECTION wanted)
{
    bool video = false;
    ForEachPin(filter, [&](IPin* pin) {
        AM_MEDIA_TYPE type = {};
        if (!HasDirection(pin, wanted) || FAILED(pin->ConnectionMediaType(&type)))
            return true;
        video = IsEqualGUID(type.majortype, MEDIATYPE_Video) != FALSE;
        FreeTypeContents(type);
        return !video;
    });
    return video;
}

std::string StreamTypeName(IPin* pin)
{
    ComPtr<IEnumMediaTypes> types;
    if (!pin || FAILED(pin->EnumMediaTypes(&types)) || !types)
        return "";
    types->Reset();
    AM_MEDIA_TYPE* type = nullptr;
    if (types->Next(1, &type, nullptr) != S_OK || !type)
        return "";
    std::string name;
    if (IsEqualGUID(type->majortype, MEDIATYPE_Video))
        name = "VIDEO";
    else if (IsEqualGUID(type->majortype, MEDIATYPE_Audio))
        name = "AUDIO";
    else if (IsEqualGUID(type->majortype, MEDIATYPE_Interleaved))
        name = "INTERLEAVED";
    else if (IsEqualGUID(type->majortype, MEDIATYPE_Stream))
        name = "STREAM";
    FreeTypeContents(*type);
    CoTaskMemFree(type);
    return name;
}

ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction)
{
    ComPtr<IPin> found;
    if (!filter)
        return found;
    ForEachPin(filter, [&](IPin* pin) {
        if (!HasDirection(pin, direction))
            return true;
        found = pin;
        return false;
    });
    return found;
}

HRESULT NextFilterSkippingAudio(IBaseFilter* filter, PIN_DIRECTION direction, IBaseFilter** next)
{
    return NextFilterSkipping("AUDIO", filter, direction, next);
}

HRESULT NextFilterSkippingVideo(IBaseFilter* filter, PIN_DIRECTION direction, IBaseFilter** next)
{
    return NextFilterSkipping("VIDEO", filter, direction, next);
}

HRESULT FindUnconnectedPin(IBaseFilter* filter, PIN_DIRECTION direction, IPin** pin)
{
    if (!pin)
        return E_POINTER;
    *pin = nullptr;
    if (!filter)
        return E_FAIL;
    ForEachPin(filter, [&](IPin* candidate) {
        if (!HasDirection(candidate, direction))
            return true;
        ComPtr<IPin> peer;
        if (SUCCEEDED(candidate->ConnectedTo(&peer)))
            return true;
        candidate->AddRef();
        *pin = candidate;
        return false;
    });
    return *pin ? S_OK : E_FAIL;
}

bool HasConnectedOutput(IBaseFilter* filter)
{
    bool connected = false;
    if (filter)
        ForEachPin(filter, [&](IPin* pin) {
            ComPtr<IPin> peer;
            connected = HasDirection(pin, PINDIR_OUTPUT) && SUCCEEDED(pin->ConnectedTo(&peer));
            return !connected;
        });
    return connected;
}

bool FeedsOnly(IBaseFilter* feeder, IBaseFilter* filter)
{
    bool only = true;
    HRESULT walked = ForEachPin(feeder, [&](IPin* pin) {
        ComPtr<IPin> peer;
        if (!HasDirection(pin, PINDIR_OUTPUT) || FAILED(pin->ConnectedTo(&peer)) || !peer)
            return true;
        PIN_INFO info = {};
        if (FAILED(peer->QueryPinInfo(&info))) {
            only = false;
            return false;
        }
        only = info.pFilter == filter;
        if (info.pFilter)
            info.pFilter->Release();
        return only;
    });
    return SUCCEEDED(walked) && only;
}
