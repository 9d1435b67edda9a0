// Taking filter chains out of the graph, rendering a filter's open outputs, finding filters.
#include "VMR9Graph.h"

#include "FilterPins.h"

#include <cstring>
#include <vector>

using Microsoft::WRL::ComPtr;

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
