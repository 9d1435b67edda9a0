// Engine object, graph construction, error report and the running-object-table entry.
#include "VMR9Graph.h"

#include "PlatformServices.h"

#include <cstdio>
#include <cwchar>

namespace {
const char kSourceName[] = "VMR9Graph";
constexpr UINT kGraphNotifyMessage = WM_APP + 1;
constexpr LayerGeometry kDefaultLayer = {0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0, 0};
}  // namespace

LayerGeometry layerTable[LAYER_COUNT];

void ResetLayerTable()
{
    for (LayerGeometry& layer : layerTable)
        layer = kDefaultLayer;
}

CVMR9Graph::CVMR9Graph()
{
    for (BOOL& hasSound : layerHasSound)
        hasSound = TRUE;
    ResetLayerTable();
}

CVMR9Graph::~CVMR9Graph()
{
    if (textFont)
        DeleteObject(textFont);
}

LONG CVMR9Graph::State() const
{
    EngineGuard guard(engineLock);
    return state;
}

std::string CVMR9Graph::LastError() const
{
    EngineGuard guard(engineLock);
    return lastError;
}

std::wstring CVMR9Graph::LayerFileName(int layer) const
{
    EngineGuard guard(engineLock);
    return layer >= 0 && layer < LAYER_COUNT ? fileNames[layer] : std::wstring();
}

void CVMR9Graph::ReportError(const char* message, HRESULT code)
{
    EngineGuard guard(engineLock);
    char description[160] = {};
    const DWORD length = Platform().getErrorText(code, description, sizeof description);
    if (length != 0) {
        description[sizeof description - 1] = '\0';
        snprintf(lastError, sizeof lastError, "[ERROR in %s, line %d] %s : COM Error 0x%x, %s",
                 kSourceName, 410, message, static_cast<unsigned>(code), description);
    } else {
        snprintf(lastError, sizeof lastError, "[ERROR in %s, line %d] %s : COM Error 0x%x",
                 kSourceName, 412, message, static_cast<unsigned>(code));
    }
}

HRESULT CVMR9Graph::ReportIfFailed(HRESULT hr, const char* message)
{
    if (FAILED(hr))
        ReportError(message, hr);
    return hr;
}

HRESULT CVMR9Graph::AddToRot(IUnknown* graphObject)
{
    EngineGuard guard(engineLock);
    if (!graphObject)
        return E_INVALIDARG;
    Ref<IRunningObjectTable> table;
    if (FAILED(Platform().getRunningObjectTable(0, &table)) || !table)
        return E_FAIL;

    wchar_t name[64];
    swprintf(name, sizeof name / sizeof name[0], L"FilterGraph %08x pid %08x",
             static_cast<unsigned>(reinterpret_cast<UINT_PTR>(graphObject)),
             static_cast<unsigned>(GetCurrentProcessId()));
    Ref<IMoniker> moniker;
    HRESULT hr = CreateItemMoniker(L"!", name, &moniker);
    if (SUCCEEDED(hr)) {
        DWORD cookie = 0;
        hr = table->Register(0, graphObject, moniker.Get(), &cookie);
        if (SUCCEEDED(hr))
            rotCookie = static_cast<LONG>(cookie);
    }
    return hr;
}

void CVMR9Graph::RemoveFromRot()
{
    EngineGuard guard(engineLock);
    if (rotCookie == -1)
        return;
    Ref<IRunningObjectTable> table;
    if (FAILED(Platform().getRunningObjectTable(0, &table)) || !table)
        return;
    table->Revoke(static_cast<DWORD>(rotCookie));
    rotCookie = -1;
}

int CVMR9Graph::SetVideoWindow(HWND window)
{
    EngineGuard guard(engineLock);
    if (!IsWindow(window)) {
        ReportError("The window handle is invalid", E_INVALIDARG);
        return 0;
    }
    videoWindow = window;
    return 1;
}

int CVMR9Graph::BuildGraph()
{
    EngineGuard guard(engineLock);
    ReleaseAll();
    // One initialisation per engine until CloseGraph undoes it: a build that failed and is
    // tried again must not leave an unbalanced count on the thread. A thread whose COM the host
    // made multithreaded refuses it (RPC_E_CHANGED_MODE): that one is the host's, not undone.
    if (!comInitialized)
        comInitialized = SUCCEEDED(CoInitialize(nullptr));

    HRESULT hr = Platform().createInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC,
                                           IID_IUnknown, reinterpret_cast<void**>(graph.GetAddressOf()));
    if (FAILED(hr) || !graph) {
        graph.Reset();
        ReportError("Could not build the graph", FAILED(hr) ? hr : E_FAIL);
        return 0;
    }
    graph.As(&graphBuilder);
    graph.As(&filterGraph);
    graph.As(&filterGraph2);
    graph.As(&mediaControl);
    graph.As(&mediaEvent);
    graph.As(&mediaEventEx);
    graph.As(&basicVideo);
    graph.As(&basicAudio);
    graph.As(&mediaSeeking);

    if (mediaEventEx)
        ReportIfFailed(mediaEventEx->SetNotifyWindow(reinterpret_cast<OAHWND>(videoWindow), kGraphNotifyMessage, 0),
                       "Could not have the graph's events sent to the window");
    AddToRot(graph.Get());
    return BuildVmr();
}

int CVMR9Graph::BuildVmr()
{
    EngineGuard guard(engineLock);
    if (!videoWindow) {
        ReportError("Could not operate without a Window", E_FAIL);
        return 0;
    }
    HRESULT hr = Platform().createInstance(CLSID_VideoMixingRenderer9, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IBaseFilter,
                                           reinterpret_cast<void**>(vmrFilter.ReleaseAndGetAddressOf()));
    if (FAILED(hr) || !vmrFilter) {
        vmrFilter.Reset();
        ReportError("Could not create an instance ofthe VMR9", FAILED(hr) ? hr : E_FAIL);
        return 0;
    }
    hr = filterGraph ? filterGraph->AddFilter(vmrFilter.Get(), L"VMR9") : E_FAIL;
    if (FAILED(hr)) {
        ReportError("Could not add the VMR9 to the Graph", hr);
        return 0;
    }

    // Direct3D waits for the first overlay picture (EnsureDirect3D): only that picture uses
    // it, the VMR-9 sets up its own, and an idle device costs time at build and CPU in playback.
    if (SUCCEEDED(vmrFilter.As(&vmrConfig))) {
        ReportIfFailed(vmrConfig->SetRenderingMode(VMR9Mode_Windowless), "Could not set the VMR9 windowless");
        ReportIfFailed(vmrConfig->SetNumberOfStreams(numStreams), "Could not set the VMR9 streams");
        ReportIfFailed(vmrConfig->SetRenderingPrefs(0), "Could not set the VMR9 rendering preferences");
    }
    if (SUCCEEDED(vmrFilter.As(&windowlessControl))) {
        ReportIfFailed(windowlessControl->SetVideoClippingWindow(videoWindow), "Could not set the video window");
        ReportIfFailed(windowlessControl->SetAspectRatioMode(VMR9ARMode_None), "Could not set the aspect ratio");
    }
    vmrFilter.As(&mixerBitmap);
    vmrFilter.As(&mixerControl);
    if (SUCCEEDED(vmrFilter.As(&monitorConfig))) {
        UINT monitor = 0;
        monitorConfig->GetMonitor(&monitor);
    }
    return 1;
}

int CVMR9Graph::InitDirect3D()
{
    EngineGuard guard(engineLock);
    // Direct3DCreate9 hands over its reference; MinGW's ComPtr::Attach would add another.
    *d3d.ReleaseAndGetAddressOf() = Platform().createDirect3D(D3D_SDK_VERSION);
    if (!d3d) {
        ReportError("Cannot initialize Direct3D", E_FAIL);
        return 0;
    }
    D3DDISPLAYMODE mode = {};
    HRESULT hr = d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    if (FAILED(hr)) {
        ReportError("Cannot get display adaptater infos from Direct3d", hr);
        return 0;
    }
    D3DPRESENT_PARAMETERS parameters = {};
    parameters.BackBufferFormat = mode.Format;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = deviceWindow.Get();
    parameters.Windowed = TRUE;
    hr = d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                           D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                           d3dDevice.ReleaseAndGetAddressOf());
    if (FAILED(hr)) {
        d3dDevice.Reset();
        ReportError("Cannot create the Direct3d device", hr);
    }
    return 1;
}

int CVMR9Graph::EnsureDirect3D()
{
    EngineGuard guard(engineLock);
    if (!d3dDevice && !direct3DTried) {
        direct3DTried = true;
        InitDirect3D();
    }
    return d3dDevice ? 1 : 0;
}

void CVMR9Graph::ReleaseAll()
{
    EngineGuard guard(engineLock);
    if (mediaEventEx)
        ReportIfFailed(mediaEventEx->SetNotifyWindow(0, kGraphNotifyMessage, 0), "Could not stop the graph's events");
    for (int i = 0; i < LAYER_COUNT; ++i) {
        sourceFilters[i].Reset();
        fileNames[i].clear();
        layerHasSound[i] = TRUE;
    }
    // The order in which the platform objects are let go is fixed: renderers first,
    // then the VMR-9's interfaces, the graph's, and Direct3D last.
    for (Ref<IBaseFilter>& renderer : soundRenderers)
        renderer.Reset();
    vmrConfig.Reset();
    mixerBitmap.Reset();
    mixerControl.Reset();
    monitorConfig.Reset();
    windowlessControl.Reset();
    vmrFilter.Reset();
    graphBuilder.Reset();
    filterGraph.Reset();
    filterGraph2.Reset();
    mediaControl.Reset();
    mediaEvent.Reset();
    mediaEventEx.Reset();
    graph.Reset();
    basicAudio.Reset();
    basicVideo.Reset();
    mediaSeeking.Reset();
    frameStep.Reset();
    overlaySurface.Reset();
    d3dDevice.Reset();
    d3d.Reset();
    deviceWindow.Destroy();
    direct3DTried = false;
}

void CVMR9Graph::CloseGraph()
{
    EngineGuard guard(engineLock);
    // A half-built graph (its VMR-9 failed) is there although no load got through.
    if (state == GRAPH_CLOSED && !graph)
        return;
    // The graph is stopped before its release whatever `state` says: the engine's Stop leaves
    // it paused, and releasing a paused graph with sound can hang on some platforms.
    if (mediaControl && (state == GRAPH_RUNNING || state == GRAPH_PAUSED || GraphState() != State_Stopped))
        ReportIfFailed(mediaControl->Stop(), "Can't stop the graph before closing it");
    state = GRAPH_STOPPED;
    ReleaseAll();
    RemoveFromRot();
    if (comInitialized) {
        CoUninitialize();
        comInitialized = false;
    }
    state = GRAPH_CLOSED;
}
