// The tests' one door into the engine's inside, for what a test must force or read that no
// operation shows: a state to start from, the interface pointers the fake platform handed out,
// the overlay's remembered home. Everything else goes through the engine's operations.
#pragma once

#include "VMR9Graph.h"

class EngineInternals
{
public:
    explicit EngineInternals(CVMR9Graph& engine) : engine(engine) {}

    auto& state() { return engine.state; }
    auto& lastError() { return engine.lastError; }
    auto& fontName() { return engine.fontName; }
    auto& textColor() { return engine.textColor; }
    auto& fontSize() { return engine.fontSize; }
    auto& remirrorOnShow() { return engine.remirrorOnShow; }
    auto& reflipOnShow() { return engine.reflipOnShow; }
    auto& overlayRect() { return engine.overlayRect; }
    auto& overlayAlpha() { return engine.overlayAlpha; }
    auto& overlayWidth() { return engine.overlayWidth; }
    auto& textFont() { return engine.textFont; }
    auto& volume() { return engine.volume; }
    auto& playbackFinished() { return engine.playbackFinished; }
    auto& rotCookie() { return engine.rotCookie; }
    auto& numStreams() { return engine.numStreams; }
    auto& videoWindow() { return engine.videoWindow; }
    auto& sourceFilters() { return engine.sourceFilters; }
    auto& fileNames() { return engine.fileNames; }
    auto& layerHasSound() { return engine.layerHasSound; }
    auto& soundRenderers() { return engine.soundRenderers; }
    auto& graph() { return engine.graph; }
    auto& graphBuilder() { return engine.graphBuilder; }
    auto& filterGraph() { return engine.filterGraph; }
    auto& filterGraph2() { return engine.filterGraph2; }
    auto& mediaControl() { return engine.mediaControl; }
    auto& mediaEvent() { return engine.mediaEvent; }
    auto& mediaEventEx() { return engine.mediaEventEx; }
    auto& basicAudio() { return engine.basicAudio; }
    auto& mediaSeeking() { return engine.mediaSeeking; }
    auto& frameStep() { return engine.frameStep; }
    auto& vmrFilter() { return engine.vmrFilter; }
    auto& vmrConfig() { return engine.vmrConfig; }
    auto& mixerBitmap() { return engine.mixerBitmap; }
    auto& mixerControl() { return engine.mixerControl; }
    auto& windowlessControl() { return engine.windowlessControl; }
    auto& d3d() { return engine.d3d; }
    auto& d3dDevice() { return engine.d3dDevice; }
    auto& overlaySurface() { return engine.overlaySurface; }
    auto& engineLock() { return engine.engineLock; }
    static auto& textBuffer() { return CVMR9Graph::textBuffer; }

    int InitDirect3D() { return engine.InitDirect3D(); }
    int EnsureDirect3D() { return engine.EnsureDirect3D(); }
    void ReleaseAll() { engine.ReleaseAll(); }
    void ReportError(const char* message, HRESULT code) { engine.ReportError(message, code); }
    HRESULT AddToRot(IUnknown* graphObject) { return engine.AddToRot(graphObject); }
    void RemoveFromRot() { engine.RemoveFromRot(); }
    int ToNormalizedRect(const RECT& pixels, VMR9NormalizedRect& normalized)
    {
        return engine.ToNormalizedRect(pixels, normalized);
    }
    int ApplyLayerRect(int layer) { return engine.ApplyLayerRect(layer); }
    int ApplyLayerAlpha(int layer) { return engine.ApplyLayerAlpha(layer); }
    int ApplyLayerZOrder(int stream, int z) { return engine.ApplyLayerZOrder(stream, z); }
    HFONT CreateTextFont() { return engine.CreateTextFont(); }
    int AddSoundRenderer(LONG layer) { return engine.AddSoundRenderer(layer); }
    int RenderLayers(LONG layer = -1, HRESULT* renderCode = nullptr) { return engine.RenderLayers(layer, renderCode); }
    CVMR9Graph::Ref<IBaseFilter> FindFilterByName(const char* text) { return engine.FindFilterByName(text); }

private:
    CVMR9Graph& engine;
};

inline EngineInternals Inside(CVMR9Graph& engine) { return EngineInternals(engine); }
