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

#include "DeviceWindow.h"
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

// Effect flags: one word for the whole process, shared by every control and engine.
constexpr LONG EFFECT_FLIP = 0x01;
constexpr LONG EFFECT_MIRROR = 0x02;
constexpr LONG EFFECT_SLIDE = 0x08;
constexpr LONG EFFECT_STROBE = 0x10;
constexpr LONG OVERLAY_DISABLED = 0x80;
extern volatile LONG effectFlags;

class CVMR9Graph
{
public:
    template <class T> using Ref = Microsoft::WRL::ComPtr<T>;

    CVMR9Graph();
    virtual ~CVMR9Graph();
    CVMR9Graph(const CVMR9Graph&) = delete;
    CVMR9Graph& operator=(const CVMR9Graph&) = delete;

    // ---- Graph construction and what the engine reports ----
    int SetVideoWindow(HWND window);
    int BuildGraph();
    void CloseGraph();
    // GRAPH_CLOSED, GRAPH_STOPPED, GRAPH_RUNNING or GRAPH_PAUSED.
    LONG State() const;
    // Why the last failing step failed; empty until one did.
    std::string LastError() const;
    // The file a layer holds ("" for an empty layer or a number outside 0-9).
    std::wstring LayerFileName(int layer) const;

    // ---- Playback state, position, rate and audio ----
    static constexpr LONG SLIDER_SCALE = 1000;
    int Play();
    int Stop();
    int Pause();
    int PollPlayback();
    LONG IsPlaybackFinished();
    void SetPlaybackFinished(LONG value);
    double GetDuration();
    double GetPosition();
    int SetPosition(double seconds);
    void SetSliderPosition(LONG slider);
    double GetPlaybackRate();
    void SetPlaybackRate(double rate);
    void SetAudioVolume(LONG newVolume);
    LONG GetAudioVolume();
    void MuteAudio();
    void ApplyVolume();
    int SetAudioBalance(LONG balance);
    LONG GetAudioBalance();
    LONG StepFrame(LONG frames);
    BOOL HasNoVideo();
    // Duration D and current position P; 0 when either cannot be read.
    int ReadDurationAndPosition(REFERENCE_TIME& duration, REFERENCE_TIME& position);
    // What the graph itself is in, or heading for, without waiting; from State() (a stopped
    // engine holds its graph paused) when the graph cannot tell. `answer`, when given, receives
    // the graph's own answer (S_OK only once a change of state is complete).
    OAFilterState GraphState(HRESULT* answer = nullptr);

    // ---- Time texts ----
    std::string GetDurationHHMMSS();
    std::string GetPositionHHMMSS();
    // "H:MM:SS" with the hours always led by a zero: 0 s gives 00:00:00, 10 h gives 010:00:00.
    static std::string TimeText(REFERENCE_TIME mediaTime);

    // ---- Mixer layers and geometry ----
    int GetVideoSize(RECT* size);
    int GetVideoWidth();
    int GetVideoHeight();
    // True for a layer number 0-9 that holds a source filter.
    bool IsLayerLoaded(int layer);
    int SetLayerAlpha(int layer, int alphaPercent);
    int SetLayerZOrder(int layer, int z);
    int SetLayerRect(int layer, const RECT& pixels);
    int FlipLayer(int layer);
    int MirrorLayer(int layer);
    // Exchanges the records of layers 0 and 1 and sends them, then z-orders 1 and 0.
    void SwapLayers();
    int SetAspectRatio(BOOL keep);
    void UpdateVideoPosition();
    int Repaint();

    // ---- Overlay picture and text ----
    // Names and texts are UTF-16; each operation that takes one also has a narrow form for
    // ANSI callers (VMR9GraphAnsiEntries.cpp), which converts from the system code page.
    // Size of a .bmp file as LoadImage reads it; 0 (outputs untouched) for anything else.
    int ReadBitmapSize(const wchar_t* fileName, int* height, int* width);
    int ReadBitmapSize(const char* fileName, int* height, int* width);
    // Loads the image into a new surface and shows it over the given pixel rectangle.
    int SetOverlayBitmap(const wchar_t* fileName, int alphaPercent, COLORREF colorKey, const RECT& pixels);
    int SetOverlayBitmap(const char* fileName, int alphaPercent, COLORREF colorKey, const RECT& pixels);
    // Moves and re-weights the picture already loaded.
    int UpdateOverlayBitmap(int alphaPercent, COLORREF colorKey, const RECT& pixels);
    // Keeps the text in the process-wide text buffer (cut as below), then draws it with GDI
    // as one line with its top-left corner at (left, top).
    int SetOverlayText(const wchar_t* text, int left, int top);
    int SetOverlayText(const char* text, int left, int top);
    void SetFontSize(LONG points);
    void SetFontColor(COLORREF color);
    void SetFontName(const wchar_t* faceName);
    void SetFontName(const char* faceName);
    // Hide (OVERLAY_DISABLED in flags) or rebuild the overlay from the caller's stored values.
    int ShowOverlayBitmap(LONG flags, const wchar_t* fileName, int left, int top, int width, int height,
                          int alphaPercent);
    int ShowOverlayBitmap(LONG flags, const char* fileName, int left, int top, int width, int height,
                          int alphaPercent);
    // A text longer than the buffer holds is cut to whole characters: 999 UTF-16 units at most
    // (999 bytes on the narrow path).
    int ShowOverlayText(LONG flags, const wchar_t* text, int left, int top);
    int ShowOverlayText(LONG flags, const char* text, int left, int top);
    int FlipOverlay(LONG flags);
    int MirrorOverlay(LONG flags);
    // The size of the process-wide text buffer, and the length of a text as it holds it, its
    // terminator kept.
    static constexpr size_t kTextBufferSize = 1000;
    static size_t FittedTextLength(const wchar_t* text);

    // ---- Effect animation ----
    // Sets all of the given bits of effectFlags, or clears them all if any is set.
    void ToggleEffectFlags(LONG bits);
    void SlideStep();
    void StrobeStep();
    void RestoreOverlayPosition();
    void RestoreOverlayAlpha();

    // ---- Snapshot ----
    // Writes the mixer's current picture as a bitmap file; 1 when the whole file was written.
    int SaveCurrentImage(const wchar_t* path);
    int SaveCurrentImage(const char* path);

    // ---- Media loading ----
    int SetMediaFile(const wchar_t* fileName, LONG layer, BOOL haveSound);
    int SetMediaFile(const char* fileName, LONG layer, BOOL haveSound);

private:
    // The tests' one door to the engine's inside (tests/engine/EngineInternals.h).
    friend class EngineInternals;

    // ---- Graph construction, error report, running object table ----
    int BuildVmr();
    int InitDirect3D();
    // Sets Direct3D up the first time an overlay picture needs it, once per graph; 1 when the
    // device is there.
    int EnsureDirect3D();
    void ReleaseAll();
    void ReportError(const char* message, HRESULT code);
    // The platform's answer, passed on; a failure is recorded with `message` first, so that a
    // step the engine carries on from still leaves its trace.
    HRESULT ReportIfFailed(HRESULT hr, const char* message);
    HRESULT AddToRot(IUnknown* graphObject);
    void RemoveFromRot();

    // ---- Playback steps ----
    int AcquireFrameStep();
    // P while strictly inside (0, D), else D; keeps playbackFinished in step with that answer,
    // except that a running graph not yet moved from 0 is not taken for finished.
    REFERENCE_TIME ReportedPosition(REFERENCE_TIME duration, REFERENCE_TIME position);
    // Seeks with the graph stopped, then runs or pauses it again as it was (see the definition).
    HRESULT SeekStopped(REFERENCE_TIME target);
    // Back to position 0, as the graph is (stop position unchanged).
    void SeekToStart();

    // ---- Layer steps ----
    // Pixels of the native picture to whole percent of it; 0 (and no result) when the
    // native size is unknown or empty.
    int ToNormalizedRect(const RECT& pixels, VMR9NormalizedRect& normalized);
    // Re-send what layerTable holds for a layer (its rectangle with the flip and mirror flags
    // applied, its alpha), or a fixed z-order for a stream.
    int ApplyLayerRect(int layer);
    int ApplyLayerAlpha(int layer);
    int ApplyLayerZOrder(int stream, int z);
    // Flip and mirror: toggles the layer's flag and shows it with the stored rectangle.
    int ToggleAndApply(int layer, LONG LayerGeometry::*flag);

    // ---- Overlay steps ----
    // Draws one line of text with GDI and shows it with its top-left corner at (left, top).
    int DrawOverlayText(const wchar_t* text, int left, int top);
    HFONT CreateTextFont();
    // White becomes transparent.
    void ApplyColorKey(VMR9AlphaBitmap& bitmap);
    // Where the overlay was last placed, for flip, mirror, slide and strobe to return to.
    void StoreOverlayHome(const VMR9NormalizedRect& dest, float alpha);
    // The picture operations need the mixer, the windowless control and the device.
    bool PictureTargetsReady();
    // Sends the whole surface to the mixer over the given pixel rectangle.
    int ShowSurface(int alphaPercent, COLORREF colorKey, const RECT& pixels);
    // Hides whatever overlay is shown; a flip or mirror in force is remembered for the next show.
    int HideOverlay();
    // A rebuilt overlay comes back at home, flipped and mirrored again as it was when hidden.
    int AfterRebuild(int rebuilt);
    // Reads the mixer's live overlay parameters, changes them and writes them back
    // (OverlayParameters.h).
    template <class Change> HRESULT ChangeOverlayParameters(Change change);
    // Copies a text, cut to what it holds, into the process-wide text buffer.
    static void KeepText(const wchar_t* text);
    // Holds the text a re-show draws: one buffer for the whole process.
    static wchar_t textBuffer[kTextBufferSize];

    // ---- Loading and rendering steps ----
    int AddSoundRenderer(LONG layer);
    // Renders every layer's unconnected streams; `renderCode`, when given, receives the answer
    // for `layer`'s own streams, so a refused file costs one render, not two.
    int RenderLayers(LONG layer = -1, HRESULT* renderCode = nullptr);
    // Records why a file did not load into the layer (a reload also empties its name); 0.
    int RefuseLayer(LONG layer, bool reload, HRESULT code);
    void RemoveDownstream(IBaseFilter* filter, IBaseFilter* stop);
    void RemoveFilterAndFeeder(IBaseFilter* filter);
    HRESULT RenderOutputPins(IBaseFilter* filter);
    // Takes out every video renderer but the VMR-9 (the builder adds one of its own when the
    // mixer has no free input), with the filters that fed it that picture alone; how many.
    int RemoveOtherVideoRenderers();
    void RemoveVideoBranch(IBaseFilter* filter);
    Ref<IBaseFilter> FindFilterByName(const char* text);

    // ---- Members, in declaration order ----
    LONG state = GRAPH_CLOSED;
    std::wstring fontName = L"Impact";
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
    std::wstring fileNames[LAYER_COUNT];
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
    // Declared before the device, so that it outlives it.
    CDeviceWindow deviceWindow;
    Ref<IDirect3D9> d3d;
    Ref<IDirect3DDevice9> d3dDevice;
    Ref<IDirect3DSurface9> overlaySurface;

    // Serializes the window thread's and the monitor thread's calls.
    mutable EngineLock engineLock;
    // Whether this engine holds a COM initialisation of its own, to be undone by CloseGraph.
    bool comInitialized = false;
    // Whether this graph already tried to set Direct3D up (ReleaseAll lets the next one try).
    bool direct3DTried = false;
};
