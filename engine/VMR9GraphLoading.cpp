// Loading files into layers: one source filter and one DirectSound renderer per layer,
// rendered into the one graph.
#include "VMR9Graph.h"

#include "FilterPins.h"

#include "PlatformServices.h"

#include <cstdio>

namespace {
// The name under which the graph builder adds a sound renderer of its own.
const char kBuilderSoundRenderer[] = "Default DirectSound Device";

bool IsLayer(LONG layer) { return layer >= 0 && layer < LAYER_COUNT; }
}  // namespace

int CVMR9Graph::AddSoundRenderer(LONG layer)
{
    EngineGuard guard(engineLock);
    if (!IsLayer(layer)) {
        ReportError("Could not add the DirectSoundRenderer to a layer outside 0 to 9", E_INVALIDARG);
        return 0;
    }
    Ref<IBaseFilter>& renderer = soundRenderers[layer];
    HRESULT hr = Platform().createInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                           reinterpret_cast<void**>(renderer.ReleaseAndGetAddressOf()));
    if (SUCCEEDED(hr) && !renderer)
        hr = E_FAIL;
    if (SUCCEEDED(hr)) {
        wchar_t name[16] = L"DirectSound";
        if (layer > 0)
            swprintf(name, sizeof name / sizeof name[0], L"DirectSound%ld", static_cast<long>(layer));
        hr = filterGraph ? filterGraph->AddFilter(renderer.Get(), name) : E_FAIL;
    }
    if (FAILED(hr)) {
        ReportError("Could not add the DirectSoundRenderer", hr);
        return 0;
    }
    return 1;
}

int CVMR9Graph::SetMediaFile(const wchar_t* fileName, LONG layer, BOOL haveSound)
{
    EngineGuard guard(engineLock);
    // The layer indexes every per-layer array, so nothing is written before it is known good.
    if (!IsLayer(layer)) {
        ReportError("Could not load a file into a layer outside 0 to 9", E_INVALIDARG);
        return 0;
    }
    // A refused call leaves the layer as it was: recording the missing name and its sound
    // choice would make the next render drop a loaded layer's sound.
    if (!fileName) {
        ReportError("Could not load a file with an empty file name", E_INVALIDARG);
        return 0;
    }
    fileNames[layer] = fileName;
    layerHasSound[layer] = haveSound;
    if (graphBuilder) {
        // Stopped and rewound at once: going through Stop, which pauses the graph again, and
        // waiting for that pause would only cost time before the same end state.
        if (mediaControl && GraphState() != State_Stopped)
            ReportIfFailed(mediaControl->Stop(), "Can't stop the graph before loading");
        if (state == GRAPH_RUNNING || state == GRAPH_PAUSED) {
            SeekToStart();
            playbackFinished = 1;
        }
    } else {
        // A graph object that gives no graph builder cannot take a source or render it.
        const bool built = BuildGraph() != 0;
        if (built && !graphBuilder)
            ReportError("Could not build the graph", E_NOINTERFACE);
        if (!graphBuilder) {
            // Undo the part that was built (graph, table entry, COM), so nothing is left
            // half-made and the next load builds afresh.
            state = GRAPH_STOPPED;
            CloseGraph();
            return 0;
        }
        // A graph whose VMR-9 could not be made stays as it is: later loads go ahead without
        // the video and still play sound (machines without 3D acceleration).
        if (!built)
            return 0;
        // Building empties every layer; this load's own choice of sound still holds.
        layerHasSound[layer] = haveSound;
    }
    state = GRAPH_STOPPED;

    const bool reload = sourceFilters[layer] != nullptr;
    if (reload) {
        RemoveDownstream(sourceFilters[layer].Get(), vmrFilter.Get());
        RemoveFilterAndFeeder(soundRenderers[layer].Get());
        sourceFilters[layer].Reset();
    }

    wchar_t sourceName[8];
    swprintf(sourceName, sizeof sourceName / sizeof sourceName[0], L"SRC%02ld", static_cast<long>(layer));
    Ref<IBaseFilter> source;
    HRESULT hr = graphBuilder->AddSourceFilter(fileName, sourceName, &source);
    if (SUCCEEDED(hr) && !source)
        hr = E_FAIL;
    if (FAILED(hr))
        return RefuseLayer(layer, reload, hr);
    sourceFilters[layer] = source;
    fileNames[layer] = fileName;

    AddSoundRenderer(layer);
    HRESULT renderCode = S_OK;
    if (!RenderLayers(layer, &renderCode))
        return 0;
    // A source whose output nothing would take is not media: some platforms hand any file a
    // source filter and only rendering tells, with the platform's reason.
    if (!HasConnectedOutput(source.Get())) {
        RemoveDownstream(source.Get(), vmrFilter.Get());
        RemoveFilterAndFeeder(soundRenderers[layer].Get());
        soundRenderers[layer].Reset();
        sourceFilters[layer].Reset();
        return RefuseLayer(layer, reload, FAILED(renderCode) ? renderCode : VFW_E_CANNOT_RENDER);
    }
    return 1;
}

int CVMR9Graph::RefuseLayer(LONG layer, bool reload, HRESULT code)
{
    EngineGuard guard(engineLock);
    if (reload) {
        fileNames[layer].clear();
        ReportError("Could not load the file", code);
    } else {
        ReportError("Could not find a source filter for this file", code);
    }
    return 0;
}

int CVMR9Graph::RenderLayers(LONG layer, HRESULT* renderCode)
{
    EngineGuard guard(engineLock);
    if (!filterGraph2) {
        ReportError("Could not render the graph because it is not fully constructed", E_FAIL);
        return 0;
    }
    if (!graphBuilder)
        return 0;
    for (int i = 0; i < LAYER_COUNT; ++i) {
        if (!sourceFilters[i])
            continue;
        // A stream that cannot be rendered leaves the layer playing without it.
        if (FindPin(sourceFilters[i].Get(), PINDIR_OUTPUT)) {
            HRESULT rendered = RenderOutputPins(sourceFilters[i].Get());
            ReportIfFailed(rendered, "Could not render every stream of this layer");
            if (i == layer && renderCode)
                *renderCode = rendered;
        }
        if (Ref<IBaseFilter> builderRenderer = FindFilterByName(kBuilderSoundRenderer))
            RemoveFilterAndFeeder(builderRenderer.Get());
        // A picture the mixer has no input for would play unmixed in a window of its own,
        // which the host neither asked for nor can control; the layer keeps its sound.
        if (RemoveOtherVideoRenderers() > 0)
            ReportError("Could not mix the video of this layer, the VMR9 has no free input", VFW_E_CANNOT_CONNECT);
        Ref<IPin> unconnected;
        if (soundRenderers[i] &&
            SUCCEEDED(FindUnconnectedPin(soundRenderers[i].Get(), PINDIR_INPUT, &unconnected))) {
            // No sound reached this layer's renderer.
            if (filterGraph)
                filterGraph->RemoveFilter(soundRenderers[i].Get());
            soundRenderers[i].Reset();
        }
        if (!layerHasSound[i] && soundRenderers[i])
            RemoveFilterAndFeeder(soundRenderers[i].Get());
    }
    return 1;
}
