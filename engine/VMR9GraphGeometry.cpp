// Native video size, pixel-to-normalized rectangles, and placing and repainting the mixed
// picture in the video window.
#include "VMR9Graph.h"

#include "PercentFraction.h"

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

namespace {
// The native size without any report; 0 x 0 when there is no renderer or it cannot tell.
SIZE QuietNativeSize(IVMRWindowlessControl9* windowless)
{
    LONG width = 0, height = 0, aspectWidth = 0, aspectHeight = 0;
    if (!windowless || FAILED(windowless->GetNativeVideoSize(&width, &height, &aspectWidth, &aspectHeight)))
        return SIZE{0, 0};
    return SIZE{width, height};
}
}  // namespace

int CVMR9Graph::GetVideoWidth()
{
    EngineGuard guard(engineLock);
    return QuietNativeSize(windowlessControl.Get()).cx;
}

int CVMR9Graph::GetVideoHeight()
{
    EngineGuard guard(engineLock);
    return QuietNativeSize(windowlessControl.Get()).cy;
}

namespace {
// Whole percent of `extent`, truncated toward zero. The product is taken in 64 bits: where
// 32 bits suffice the result is the same, and a huge coordinate cannot overflow.
float PercentOf(LONG coordinate, LONG extent)
{
    const LONGLONG percent = (static_cast<LONGLONG>(coordinate) * 100) / extent;
    return PercentToFraction(percent);
}
}  // namespace

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
    normalized.left = PercentOf(pixels.left, width);
    normalized.top = PercentOf(pixels.top, height);
    normalized.right = PercentOf(pixels.right, width);
    normalized.bottom = PercentOf(pixels.bottom, height);
    return 1;
}

int CVMR9Graph::SetAspectRatio(BOOL keep)
{
    EngineGuard guard(engineLock);
    if (!windowlessControl) {
        ReportError("Can't set aspect ratio, no VMR", E_FAIL);
        return 0;
    }
    ReportIfFailed(windowlessControl->SetAspectRatioMode(keep ? VMR9ARMode_LetterBox : VMR9ARMode_None),
                   "Can't set aspect ratio");
    return 1;
}

void CVMR9Graph::UpdateVideoPosition()
{
    EngineGuard guard(engineLock);
    if (!windowlessControl)
        return;
    // The whole mixed picture fills the whole client area; letterboxing is the mixer's.
    RECT client = {};
    if (!GetClientRect(videoWindow, &client))
        return;
    ReportIfFailed(windowlessControl->SetVideoPosition(nullptr, &client), "Can't place the video");
}

int CVMR9Graph::Repaint()
{
    EngineGuard guard(engineLock);
    if (!windowlessControl) {
        ReportError("Can't repaint, no VMR", E_FAIL);
        return 0;
    }
    // GetDC(null) would be the whole screen: paint only into a live video window.
    HDC dc = videoWindow ? GetDC(videoWindow) : nullptr;
    if (!dc)
        return 0;
    HRESULT hr = ReportIfFailed(windowlessControl->RepaintVideo(videoWindow, dc), "Can't repaint");
    ReleaseDC(videoWindow, dc);
    return SUCCEEDED(hr) ? 1 : 0;
}
