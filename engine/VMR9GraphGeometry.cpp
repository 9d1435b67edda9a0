// Native video size, pixel-to-normalized rectangles, and the mixer's layer geometry.
#include "VMR9Graph.h"

namespace {
// Percent to fraction: always this single-precision constant, so 46 % is 0.45999998f.
constexpr float kPercent = 0.01f;
}  // namespace

int CVMR9Graph::GetVideoSize(RECT* size)
{
    EngineGuard guard(engineLock);
    if (!size) {
        ReportError("Can't return video size, rect struct invalid", E_INVALIDARG);
        return 0;
    }
    if (!windowlessControl) {
        ReportError("Can't return video size, no VMR", E_FAIL);
        return 0;
    }
    LONG width = 0, height = 0, aspectWidth = 0, aspectHeight = 0;
    HRESULT hr = windowlessControl->GetNativeVideoSize(&width, &height, &aspectWidth, &aspectHeight);
    if (FAILED(hr)) {
        ReportError("Can't return video size, VMR error", hr);
        return 0;
    }
    *size = RECT{0, 0, width, height};
    return 1;
}

int CVMR9Graph::GetVideoWidth()
{
    EngineGuard guard(engineLock);
    LONG width = 0, height = 0, aspectWidth = 0, aspectHeight = 0;
    if (!windowlessControl ||
        FAILED(windowlessControl->GetNativeVideoSize(&width, &height, &aspectWidth, &aspectHeight)))
        return 0;
    return width;
}

int CVMR9Graph::GetVideoHeight()
{
    EngineGuard guard(engineLock);
    LONG width = 0, height = 0, aspectWidth = 0, aspectHeight = 0;
    if (!windowlessControl ||
        FAILED(windowlessControl->GetNativeVideoSize(&width, &height, &aspectWidth, &aspectHeight)))
        return 0;
    return height;
}

int CVMR9Graph::ToNormalizedRect(const RECT& pixels, VMR9NormalizedRect& normalized)
{
    EngineGuard guard(engineLock);
    RECT size = {};
    if (!GetVideoSize(&size))
        return 0;
    const LONG width = size.right - size.left;
    const LONG height = size.bottom - size.top;
    // Without a picture there is nothing to be relative to; dividing by it would trap.
    if (width <= 0 || height <= 0) {
        ReportError("Can't convert rect, no video size", E_FAIL);
        return 0;
    }
    normalized.left = static_cast<float>((pixels.left * 100) / width) * kPercent;
    normalized.top = static_cast<float>((pixels.top * 100) / height) * kPercent;
    normalized.right = static_cast<float>((pixels.right * 100) / width) * kPercent;
    normalized.bottom = static_cast<float>((pixels.bottom * 100) / height) * kPercent;
    return 1;
}
