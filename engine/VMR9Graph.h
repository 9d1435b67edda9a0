// The media engine: one DirectShow filter graph per control, with one VMR-9 in windowless
// mode mixing the layers' video into the control's video window, a Direct3D 9 device for
// overlay surfaces, and per layer a source filter and a DirectSound renderer.
// Operations return 1 for success and 0 for failure (or a value, 0 / 0.0 / "" on failure)
// and record the reason in lastError through ReportError; nothing is thrown.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <d3d9.h>
#include <vmr9.h>
#include <wrl/client.h>

#include "GraphInterfaceIds.h"

#include <string>

#include "EngineLock.h"

enum GraphState : LONG
{
    GRAPH_CLOSED = 0,
    GRAPH_STOPPED = 1,
    GRAPH_RUNNING = 2,
    GRAPH_PAUSED = 3,
};

constexpr int LAYER_COUNT = 10;

// Geometry of one layer, normalized to the mixed picture.
struct LayerGeometry
{
    float left;
    float top;
    float width;
    float height;
    float alpha;
    LONG flipped;
    LONG mirrored;
};

// One table for the whole process: every engine reads and writes the same ten records.
extern LayerGeometry layerTable[LAYER_COUNT];

// Copies the default record {0, 0, 1, 1, 1, 0, 0} into every entry of layerTable.
void ResetLayerTable();

// Four floats: left, top, right, bottom.
struct OverlayRect
{
    float left;
    float top;
    float right;
    float bottom;
};

class CVMR9Graph
{
public:
    template <class T> using Ref = Microsoft::WRL::ComPtr<T>;

    CVMR9Graph();
    virtual ~CVMR9Graph();
    CVMR9Graph(const CVMR9Graph&) = delete;
    CVMR9Graph& operator=(const CVMR9Graph&) = delete;

    // ---- Graph construction, error report, running object table ----
    int SetVideoWindow(HWND window);
    int BuildGraph();
    int BuildVmr();
    int InitDirect3D();
    void ReleaseAll();
    void CloseGraph();
    void ReportError(const char* message, HRESULT code);
    HRESULT AddToRot(IUnknown* graphObject);
    void RemoveFromRot();

    // ---- Playback state, position, rate and audio ----

    // ---- Time texts ----

    // ---- Mixer layers and geometry ----
    int GetVideoSize(RECT* size);
    int GetVideoWidth();
    int GetVideoHeight();
    // Pixels of the native picture to whole percent of it; 0 (and no result) when the
    // native size is unknown or empty.
    int ToNormalizedRect(const RECT& pixels, VMR9NormalizedRect& normalized);
    // True for a layer number 0-9 that holds a source filter.
    bool IsLayerLoaded(int layer);
    int SetLayerAlpha(int layer, int alphaPercent);
    int SetLayerZOrder(int layer, int z);
    int SetLayerRect(int layer, const RECT& pixels);
    // Re-send what layerTable holds for a layer (its rectangle with the flip and mirror flags
    // applied, its alpha), or a fixed z-order for a stream.
    int ApplyLayerRect(int layer);
    int ApplyLayerAlpha(int layer);
    int ApplyLayerZOrder(int stream, int z);
    int FlipLayer(int layer);
    int MirrorLayer(int layer);
    // Exchanges the records of layers 0 and 1 and sends them, then z-orders 1 and 0.
    void SwapLayers();
    int SetAspectRatio(BOOL keep);
    void UpdateVideoPosition();
    int Repaint();

    // ---- Overlay picture and text ----

    // ---- Effect animation ----

    // ---- Snapshot ----
    // Writes the mixer's current picture as a bitmap file; 1 when the whole file was written.
    int SaveCurrentImage(const char* path);

    // ---- Media loading and rendering ----

    // ---- Members, in declaration order ----
    LONG state = GRAPH_CLOSED;
    std::string fontName = "Impact";
    COLORREF textColor = 255;
    LONG fontSize = 12;
    LONG remirrorOnShow = 0;
    LONG reflipOnShow = 0;
    OverlayRect overlayRect = {0.0f, 0.0f, 0.0f, 0.0f};
    float overlayAlpha = 1.0f;
    float overlayWidth = 0.0f;
    HFONT textFont = nullptr;
    LONG volume = 100;
    volatile LONG playbackFinished = 1;
    LONG rotCookie = -1;
    char lastError[1024] = {};
    LONG numStreams = 4;
    HWND videoWindow = nullptr;
    Ref<IBaseFilter> sourceFilters[LAYER_COUNT];
    std::string fileNames[LAYER_COUNT];
    BOOL layerHasSound[LAYER_COUNT];
    Ref<IBaseFilter> soundRenderers[LAYER_COUNT];
    Ref<IUnknown> graph;
    Ref<IGraphBuilder> graphBuilder;
    Ref<IFilterGraph> filterGraph;
    Ref<IFilterGraph2> filterGraph2;
    Ref<IMediaControl> mediaControl;
    Ref<IMediaEvent> mediaEvent;
    Ref<IMediaEventEx> mediaEventEx;
    Ref<IBasicAudio> basicAudio;
    Ref<IBasicVideo> basicVideo;
    Ref<IMediaSeeking> mediaSeeking;
    Ref<IVideoFrameStep> frameStep;
    Ref<IBaseFilter> vmrFilter;
    Ref<IVMRFilterConfig9> vmrConfig;
    Ref<IVMRMixerBitmap9> mixerBitmap;
    Ref<IVMRMixerControl9> mixerControl;
    Ref<IVMRMonitorConfig9> monitorConfig;
    Ref<IVMRWindowlessControl9> windowlessControl;
    Ref<IDirect3D9> d3d;
    Ref<IDirect3DDevice9> d3dDevice;
    Ref<IDirect3DSurface9> overlaySurface;

    // Serializes the window thread's and the monitor thread's calls.
    EngineLock engineLock;
    // Whether this engine holds a COM initialisation of its own, to be undone by CloseGraph.
    bool comInitialized = false;
};
