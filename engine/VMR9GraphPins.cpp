// Pin and filter utilities: finding pins and the filters across them, and removing chains.
#include "VMR9Graph.h"

#include <cstring>
#include <vector>

namespace {
using Microsoft::WRL::ComPtr;

// Calls visit(pin) for each pin of the filter in enumeration order until it answers false.
template <class Visit> HRESULT ForEachPin(IBaseFilter* filter, Visit visit)
{
    ComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(&pins);
    if (FAILED(hr) || !pins)
        return FAILED(hr) ? hr : E_FAIL;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK && pin)
        if (!visit(pin.Get()))
            break;
    return S_OK;
}

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

// Whether a connected pin of that direction carries video.
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
        if (CVMR9Graph::StreamTypeName(pin) == skipped)
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

std::string CVMR9Graph::StreamTypeName(IPin* pin)
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

CVMR9Graph::Ref<IPin> CVMR9Graph::FindPin(IBaseFilter* filter, PIN_DIRECTION direction)
{
    Ref<IPin> found;
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

HRESULT CVMR9Graph::NextFilterSkippingAudio(IBaseFilter* filter, PIN_DIRECTION direction, IBaseFilter** next)
{
    return NextFilterSkipping("AUDIO", filter, direction, next);
}

HRESULT CVMR9Graph::NextFilterSkippingVideo(IBaseFilter* filter, PIN_DIRECTION direction, IBaseFilter** next)
{
    return NextFilterSkipping("VIDEO", filter, direction, next);
}

HRESULT CVMR9Graph::FindUnconnectedPin(IBaseFilter* filter, PIN_DIRECTION direction, IPin** pin)
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

void CVMR9Graph::RemoveDownstream(IBaseFilter* filter, IBaseFilter* stop)
{
    EngineGuard guard(engineLock);
    // The mixer serves every layer: no chain walk ever takes it out.
    if (!filter || filter == vmrFilter.Get())
        return;
    // Keeps the filter alive while the graph lets go of it.
    Ref<IBaseFilter> held = filter;
    Ref<IBaseFilter> next;
    if (SUCCEEDED(NextFilterSkippingAudio(filter, PINDIR_OUTPUT, &next)) && next && next.Get() != stop)
        RemoveDownstream(next.Get(), stop);
    if (filterGraph)
        filterGraph->RemoveFilter(filter);
}

bool CVMR9Graph::HasConnectedOutput(IBaseFilter* filter)
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

bool CVMR9Graph::FeedsOnly(IBaseFilter* feeder, IBaseFilter* filter)
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

void CVMR9Graph::RemoveFilterAndFeeder(IBaseFilter* filter)
{
    EngineGuard guard(engineLock);
    if (!filter)
        return;
    Ref<IBaseFilter> held = filter;
    Ref<IBaseFilter> feeder;
    // A feeder that also feeds other filters is a splitter carrying the layer's picture as
    // well (as when the splitter decodes itself), not a sound decoder: it stays.
    if (SUCCEEDED(NextFilterSkippingVideo(filter, PINDIR_INPUT, &feeder)) && feeder &&
        FeedsOnly(feeder.Get(), filter))
        RemoveDownstream(feeder.Get(), filter);
    if (filterGraph)
        filterGraph->RemoveFilter(filter);
}

HRESULT CVMR9Graph::RenderOutputPins(IBaseFilter* filter)
{
    EngineGuard guard(engineLock);
    if (!filter || !graphBuilder)
        return E_POINTER;
    HRESULT result = S_OK;
    HRESULT walked = ForEachPin(filter, [&](IPin* pin) {
        ComPtr<IPin> peer;
        HRESULT connected = pin->ConnectedTo(&peer);
        if (SUCCEEDED(connected))
            return true;
        if (connected != VFW_E_NOT_CONNECTED) {
            result = connected;
            return false;
        }
        PIN_DIRECTION direction;
        HRESULT hr = pin->QueryDirection(&direction);
        if (FAILED(hr)) {
            result = hr;
            return false;
        }
        // A stream that cannot be rendered (a picture with no renderer to take it) must not
        // cost the others: every output is tried, and the first failure is answered.
        if (direction == PINDIR_OUTPUT) {
            hr = graphBuilder->Render(pin);
            if (FAILED(hr) && SUCCEEDED(result))
                result = hr;
        }
        return true;
    });
    return FAILED(walked) ? walked : result;
}

CVMR9Graph::Ref<IBaseFilter> CVMR9Graph::FindFilterByName(const char* text)
{
    EngineGuard guard(engineLock);
    Ref<IBaseFilter> found;
    Ref<IEnumFilters> filters;
    if (!graphBuilder || !text || FAILED(graphBuilder->EnumFilters(&filters)) || !filters)
        return found;
    Ref<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK && filter) {
        FILTER_INFO info = {};
        if (FAILED(filter->QueryFilterInfo(&info)))
            continue;
        if (info.pGraph)
            info.pGraph->Release();
        char name[MAX_FILTER_NAME * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, info.achName, -1, name, sizeof name - 1, nullptr, nullptr);
        if (std::strstr(name, text))
            found = filter;
    }
    return found;
}

int CVMR9Graph::RemoveOtherVideoRenderers()
{
    EngineGuard guard(engineLock);
    std::vector<Ref<IBaseFilter>> others;
    Ref<IEnumFilters> filters;
    if (!graphBuilder || FAILED(graphBuilder->EnumFilters(&filters)) || !filters)
        return 0;
    Ref<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK && filter)
        if (filter.Get() != vmrFilter.Get() && !FindPin(filter.Get(), PINDIR_OUTPUT) && CarriesVideo(filter.Get(), PINDIR_INPUT))
            others.push_back(filter);
    for (const Ref<IBaseFilter>& other : others)
        RemoveVideoBranch(other.Get());
    return static_cast<int>(others.size());
}

void CVMR9Graph::RemoveVideoBranch(IBaseFilter* filter)
{
    EngineGuard guard(engineLock);
    if (!filter || filter == vmrFilter.Get())
        return;
    Ref<IBaseFilter> held = filter;
    Ref<IBaseFilter> feeder;
    // Decoders and converters of this picture alone go with it; the splitter, whose input is
    // the file's byte stream and which may feed the layer's sound as well, stays.
    const bool pictureStage = SUCCEEDED(NextFilterSkippingAudio(filter, PINDIR_INPUT, &feeder)) && feeder &&
                              FeedsOnly(feeder.Get(), filter) && CarriesVideo(feeder.Get(), PINDIR_INPUT);
    if (filterGraph)
        filterGraph->RemoveFilter(filter);
    if (pictureStage)
        RemoveVideoBranch(feeder.Get());
}
