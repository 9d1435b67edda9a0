// Per-layer mixing: alpha, z-order, output rectangle, flip and mirror, and exchanging layers
// 0 and 1. The geometry lives in the process-wide layerTable; z-orders only in the mixer.
#include "VMR9Graph.h"

#include "PercentFraction.h"

namespace {
bool IsLayerNumber(int layer) { return layer >= 0 && layer < LAYER_COUNT; }
}  // namespace

// Flip and mirror: each call toggles its flag and shows the layer with the stored rectangle.
int CVMR9Graph::ToggleAndApply(int layer, LONG LayerGeometry::*flag)
{
    if (!IsLayerLoaded(layer)) {
        ReportError("Can't set alpha, incorect layer", E_INVALIDARG);
        return 0;
    }
    layerTable[layer].*flag ^= 1;
    return ApplyLayerRect(layer);
}

bool CVMR9Graph::IsLayerLoaded(int layer)
{
    EngineGuard guard(engineLock);
    return IsLayerNumber(layer) && sourceFilters[layer];
}

int CVMR9Graph::SetLayerAlpha(int layer, int alphaPercent)
{
    EngineGuard guard(engineLock);
    if (!IsLayerLoaded(layer)) {
        ReportError("Can't set alpha, incorect layer", E_INVALIDARG);
        return 0;
    }
    if (alphaPercent < 0 || alphaPercent > 100) {
        ReportError("Can't set alpha, incorrect alpha value", E_INVALIDARG);
        return 0;
    }
    if (!mixerControl) {
        ReportError("Can't set alpha, no VMR", E_FAIL);
        return 0;
    }
    const float alpha = PercentToFraction(alphaPercent);
    // A layer without a mixer stream (4 to 9) is refused by the mixer; the table keeps the
    // value so that it is sent again once the layer has a stream.
    ReportIfFailed(mixerControl->SetAlpha(static_cast<DWORD>(layer), alpha), "Can't set alpha, the mixer refused it");
    layerTable[layer].alpha = alpha;
    return 1;
}

int CVMR9Graph::SetLayerZOrder(int layer, int z)
{
    EngineGuard guard(engineLock);
    if (!IsLayerLoaded(layer)) {
        ReportError("Can't set order, incorect layer", E_INVALIDARG);
        return 0;
    }
    if (!mixerControl) {
        ReportError("Can't set order, no VMR", E_FAIL);
        return 0;
    }
    HRESULT hr = mixerControl->SetZOrder(static_cast<DWORD>(layer), static_cast<DWORD>(z));
    if (FAILED(hr)) {
        ReportError("Can't set ZOrder", hr);
        return 0;
    }
    return 1;
}

int CVMR9Graph::SetLayerRect(int layer, const RECT& pixels)
{
    EngineGuard guard(engineLock);
    if (!IsLayerLoaded(layer)) {
        ReportError("Can't set layer rect, incorect layer", E_INVALIDARG);
        return 0;
    }
    if (!mixerControl || !windowlessControl) {
        ReportError("Can't set layer rect, no VMR", E_FAIL);
        return 0;
    }
    VMR9NormalizedRect normalized = {};
    if (!ToNormalizedRect(pixels, normalized))
        return 0;
    // Sent as converted: the layer's flip and mirror flags are applied by ApplyLayerRect only.
    HRESULT hr = mixerControl->SetOutputRect(static_cast<DWORD>(layer), &normalized);
    if (FAILED(hr)) {
        ReportError("Can't set layer rect", hr);
        return 0;
    }
    LayerGeometry& geometry = layerTable[layer];
    geometry.left = normalized.left;
    geometry.top = normalized.top;
    geometry.width = normalized.right - normalized.left;
    geometry.height = normalized.bottom - normalized.top;
    return 1;
}

int CVMR9Graph::ApplyLayerRect(int layer)
{
    EngineGuard guard(engineLock);
    if (!IsLayerLoaded(layer)) {
        ReportError("Can't set alpha, incorect layer", E_INVALIDARG);
        return 0;
    }
    const LayerGeometry& geometry = layerTable[layer];
    const float right = geometry.left + geometry.width;
    const float bottom = geometry.top + geometry.height;
    VMR9NormalizedRect shown = {geometry.left, geometry.top, right, bottom};
    // Exchanged edges make the mixer draw the layer mirrored or upside down.
    if (geometry.mirrored) {
        shown.left = right;
        shown.right = geometry.left;
    }
    if (geometry.flipped) {
        shown.top = bottom;
        shown.bottom = geometry.top;
    }
    if (!mixerControl)
        return 1;
    return SUCCEEDED(ReportIfFailed(mixerControl->SetOutputRect(static_cast<DWORD>(layer), &shown), "Can't set layer rect")) ? 1 : 0;
}

int CVMR9Graph::ApplyLayerAlpha(int layer)
{
    EngineGuard guard(engineLock);
    // Only the table's ten records exist; any other number has nothing to send.
    if (!IsLayerNumber(layer))
        return 0;
    if (!mixerControl)
        return 1;
    return SUCCEEDED(ReportIfFailed(mixerControl->SetAlpha(static_cast<DWORD>(layer), layerTable[layer].alpha),
                                    "Can't set alpha, the mixer refused it")) ? 1 : 0;
}

int CVMR9Graph::ApplyLayerZOrder(int stream, int z)
{
    EngineGuard guard(engineLock);
    if (!mixerControl)
        return 1;
    return SUCCEEDED(ReportIfFailed(mixerControl->SetZOrder(static_cast<DWORD>(stream), static_cast<DWORD>(z)),
                                    "Can't set ZOrder")) ? 1 : 0;
}

int CVMR9Graph::FlipLayer(int layer)
{
    EngineGuard guard(engineLock);
    return ToggleAndApply(layer, &LayerGeometry::flipped);
}

int CVMR9Graph::MirrorLayer(int layer)
{
    EngineGuard guard(engineLock);
    return ToggleAndApply(layer, &LayerGeometry::mirrored);
}

void CVMR9Graph::SwapLayers()
{
    EngineGuard guard(engineLock);
    const LayerGeometry first = layerTable[0];
    layerTable[0] = layerTable[1];
    layerTable[1] = first;
    // Every step runs whatever the one before gave.
    ApplyLayerRect(0);
    ApplyLayerRect(1);
    ApplyLayerAlpha(0);
    ApplyLayerAlpha(1);
    // Fixed values, not an exchange: a second swap sets the same z-orders again.
    ApplyLayerZOrder(0, 1);
    ApplyLayerZOrder(1, 0);
}
