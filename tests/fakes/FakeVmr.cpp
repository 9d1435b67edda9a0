#include "fakes/FakeVmr.h"

#include "fakes/FakeRegistry.h"
#include "fakes/FakeSurface.h"

#include <cstring>

FakeVmr::FakeVmr(const FakeVmrSettings& initial)
    : FakeFilterOf(std::string("vmr"), FilterRole::VideoMixer, CLSID_VideoMixingRenderer9),
      settings(initial)
{
    AddPin(L"VMR Input0", PINDIR_INPUT, {MEDIATYPE_Video});
}

void* FakeVmr::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IVMRMixerControl9) && settings.mixerNeedsStreams && streamCount == 0)
        return nullptr;
    if (void* filter = FilterInterface(iid))
        return filter;
    return Pick(iid, {{&IID_IVMRFilterConfig9, static_cast<IVMRFilterConfig9*>(this)},
                      {&IID_IVMRWindowlessControl9, static_cast<IVMRWindowlessControl9*>(this)},
                      {&IID_IVMRMixerControl9, static_cast<IVMRMixerControl9*>(this)},
                      {&IID_IVMRMixerBitmap9, static_cast<IVMRMixerBitmap9*>(this)},
                      {&IID_IVMRMonitorConfig9, static_cast<IVMRMonitorConfig9*>(this)}});
}

bool FakeVmr::HasVideoInput() const
{
    for (FakePin* pin : Pins())
        if (pin->IsConnected())
            return true;
    return false;
}

HRESULT FakeVmr::Windowless(HRESULT answer) const
{
    return FAILED(answer) || renderingMode == VMR9Mode_Windowless ? answer : VFW_E_WRONG_STATE;
}

HRESULT FakeVmr::StreamCheck(HRESULT answer, DWORD stream) const
{
    return FAILED(answer) || stream < Pins().size() ? answer : E_INVALIDARG;
}

HRESULT FakeVmr::Getter(const char* method, const void* out)
{
    HRESULT answer = Enter(method, Args(Out(out)));
    return FAILED(answer) || out ? answer : E_POINTER;
}

// IVMRFilterConfig9

HRESULT FakeVmr::SetImageCompositor(IVMRImageCompositor9* compositor)
{
    Enter("IVMRFilterConfig9::SetImageCompositor", Args(compositor));
    return E_NOTIMPL;
}

HRESULT FakeVmr::SetNumberOfStreams(DWORD max)
{
    HRESULT answer = Enter("IVMRFilterConfig9::SetNumberOfStreams", Args(max));
    if (FAILED(answer))
        return answer;
    if (max < 1 || max > kMaxStreams)
        return E_INVALIDARG;
    if (streamCount != 0 || HasVideoInput())
        return VFW_E_WRONG_STATE;
    streamCount = max;
    for (DWORD i = static_cast<DWORD>(Pins().size()); i < max; ++i)
        AddPin(L"VMR Input" + std::to_wstring(i), PINDIR_INPUT, {MEDIATYPE_Video});
    return answer;
}

HRESULT FakeVmr::GetNumberOfStreams(DWORD* max)
{
    return Report("IVMRFilterConfig9::GetNumberOfStreams", max, streamCount);
}

HRESULT FakeVmr::SetRenderingPrefs(DWORD flags)
{
    return Store("IVMRFilterConfig9::SetRenderingPrefs", renderingPrefs, flags);
}

HRESULT FakeVmr::GetRenderingPrefs(DWORD* flags)
{
    return Report("IVMRFilterConfig9::GetRenderingPrefs", flags, renderingPrefs);
}

HRESULT FakeVmr::SetRenderingMode(DWORD mode)
{
    HRESULT answer = Enter("IVMRFilterConfig9::SetRenderingMode", Args(mode));
    if (FAILED(answer))
        return answer;
    if (mode != VMR9Mode_Windowed && mode != VMR9Mode_Windowless && mode != VMR9Mode_Renderless)
        return E_INVALIDARG;
    renderingMode = mode;
    return answer;
}

HRESULT FakeVmr::GetRenderingMode(DWORD* mode)
{
    return Report("IVMRFilterConfig9::GetRenderingMode", mode, renderingMode);
}

// IVMRWindowlessControl9

HRESULT FakeVmr::GetNativeVideoSize(LONG* width, LONG* height, LONG* arWidth, LONG* arHeight)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::GetNativeVideoSize",
                                      Args(Out(width), Out(height), Out(arWidth), Out(arHeight))));
    if (FAILED(answer))
        return answer;
    if (!width || !height)
        return E_POINTER;
    bool known = settings.sizeWithoutVideo || HasVideoInput();
    *width = known ? settings.nativeWidth : 0;
    *height = known ? settings.nativeHeight : 0;
    if (arWidth)
        *arWidth = *width;
    if (arHeight)
        *arHeight = *height;
    return answer;
}

HRESULT FakeVmr::GetMinIdealVideoSize(LONG* width, LONG* height)
{
    Enter("IVMRWindowlessControl9::GetMinIdealVideoSize", Args(Out(width), Out(height)));
    return E_NOTIMPL;
}

HRESULT FakeVmr::GetMaxIdealVideoSize(LONG* width, LONG* height)
{
    Enter("IVMRWindowlessControl9::GetMaxIdealVideoSize", Args(Out(width), Out(height)));
    return E_NOTIMPL;
}

HRESULT FakeVmr::SetVideoPosition(const RECT* source, const RECT* dest)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::SetVideoPosition", Args(source, dest)));
    if (FAILED(answer))
        return answer;
    if (!source && !dest)
        return E_POINTER;
    if (source)
        sourceRect = *source;
    if (dest)
        destinationRect = *dest;
    return answer;
}

HRESULT FakeVmr::GetVideoPosition(RECT* source, RECT* dest)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::GetVideoPosition",
                                      Args(Out(source), Out(dest))));
    if (FAILED(answer))
        return answer;
    if (!source || !dest)
        return E_POINTER;
    *source = sourceRect;
    *dest = destinationRect;
    return answer;
}

HRESULT FakeVmr::GetAspectRatioMode(DWORD* mode)
{
    HRESULT answer = Windowless(Getter("IVMRWindowlessControl9::GetAspectRatioMode", mode));
    if (SUCCEEDED(answer))
        *mode = aspectRatioMode;
    return answer;
}

HRESULT FakeVmr::SetAspectRatioMode(DWORD mode)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::SetAspectRatioMode", Args(mode)));
    if (FAILED(answer))
        return answer;
    if (mode != VMR9ARMode_None && mode != VMR9ARMode_LetterBox)
        return E_INVALIDARG;
    aspectRatioMode = mode;
    return answer;
}

HRESULT FakeVmr::SetVideoClippingWindow(HWND window)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::SetVideoClippingWindow", Args(window)));
    if (FAILED(answer))
        return answer;
    if (!IsWindow(window))
        return E_INVALIDARG;
    clippingWindow = window;
    return answer;
}

HRESULT FakeVmr::RepaintVideo(HWND window, HDC dc)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::RepaintVideo", Args(window, dc)));
    if (FAILED(answer))
        return answer;
    return window && dc ? answer : E_POINTER;
}

HRESULT FakeVmr::DisplayModeChanged()
{
    return Windowless(Enter("IVMRWindowlessControl9::DisplayModeChanged"));
}

HRESULT FakeVmr::GetCurrentImage(BYTE** dib)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::GetCurrentImage", Args(Out(dib))));
    if (FAILED(answer))
        return answer;
    if (!dib)
        return E_POINTER;
    if (settings.currentImage.empty())
        return E_FAIL;
    // The caller owns the block and frees it with CoTaskMemFree.
    *dib = static_cast<BYTE*>(CoTaskMemAlloc(settings.currentImage.size()));
    std::memcpy(*dib, settings.currentImage.data(), settings.currentImage.size());
    lastImage = *dib;
    return answer;
}

HRESULT FakeVmr::SetBorderColor(COLORREF color)
{
    HRESULT answer = Windowless(Enter("IVMRWindowlessControl9::SetBorderColor", Args(color)));
    if (SUCCEEDED(answer))
        borderColor = color;
    return answer;
}

HRESULT FakeVmr::GetBorderColor(COLORREF* color)
{
    HRESULT answer = Windowless(Getter("IVMRWindowlessControl9::GetBorderColor", color));
    if (SUCCEEDED(answer))
        *color = borderColor;
    return answer;
}

// IVMRMixerControl9

HRESULT FakeVmr::SetAlpha(DWORD stream, FLOAT alpha)
{
    HRESULT answer = StreamCheck(
        EnterWithRecord("IVMRMixerControl9::SetAlpha", Args(stream, alpha), alpha), stream);
    if (FAILED(answer))
        return answer;
    if (alpha < 0.0f || alpha > 1.0f)
        return E_INVALIDARG;
    streams[stream].alpha = alpha;
    return answer;
}

HRESULT FakeVmr::GetAlpha(DWORD stream, FLOAT* alpha)
{
    HRESULT answer = StreamCheck(Enter("IVMRMixerControl9::GetAlpha", Args(stream, Out(alpha))), stream);
    if (FAILED(answer))
        return answer;
    if (!alpha)
        return E_POINTER;
    *alpha = streams[stream].alpha;
    return answer;
}

HRESULT FakeVmr::SetZOrder(DWORD stream, DWORD z)
{
    HRESULT answer = StreamCheck(Enter("IVMRMixerControl9::SetZOrder", Args(stream, z)), stream);
    if (SUCCEEDED(answer))
        streams[stream].zOrder = z;
    return answer;
}

HRESULT FakeVmr::GetZOrder(DWORD stream, DWORD* z)
{
    HRESULT answer = StreamCheck(Enter("IVMRMixerControl9::GetZOrder", Args(stream, Out(z))), stream);
    if (FAILED(answer))
        return answer;
    if (!z)
        return E_POINTER;
    *z = streams[stream].zOrder;
    return answer;
}

HRESULT FakeVmr::SetOutputRect(DWORD stream, const VMR9NormalizedRect* rect)
{
    VMR9NormalizedRect given = rect ? *rect : VMR9NormalizedRect{};
    HRESULT answer = StreamCheck(
        EnterWithRecord("IVMRMixerControl9::SetOutputRect", Args(stream, rect), given), stream);
    if (FAILED(answer))
        return answer;
    if (!rect)
        return E_POINTER;
    streams[stream].outputRect = *rect;
    return answer;
}

HRESULT FakeVmr::GetOutputRect(DWORD stream, VMR9NormalizedRect* rect)
{
    HRESULT answer =
        StreamCheck(Enter("IVMRMixerControl9::GetOutputRect", Args(stream, Out(rect))), stream);
    if (FAILED(answer))
        return answer;
    if (!rect)
        return E_POINTER;
    *rect = streams[stream].outputRect;
    return answer;
}

HRESULT FakeVmr::SetBackgroundClr(COLORREF color)
{
    return Store("IVMRMixerControl9::SetBackgroundClr", backgroundColor, color);
}

HRESULT FakeVmr::GetBackgroundClr(COLORREF* color)
{
    return Report("IVMRMixerControl9::GetBackgroundClr", color, backgroundColor);
}

HRESULT FakeVmr::SetMixingPrefs(DWORD prefs)
{
    return Store("IVMRMixerControl9::SetMixingPrefs", mixingPrefs, prefs);
}

HRESULT FakeVmr::GetMixingPrefs(DWORD* prefs)
{
    return Report("IVMRMixerControl9::GetMixingPrefs", prefs, mixingPrefs);
}

HRESULT FakeVmr::SetProcAmpControl(DWORD stream, VMR9ProcAmpControl* control)
{
    Enter("IVMRMixerControl9::SetProcAmpControl", Args(stream, control));
    return E_NOTIMPL;
}

HRESULT FakeVmr::GetProcAmpControl(DWORD stream, VMR9ProcAmpControl* control)
{
    Enter("IVMRMixerControl9::GetProcAmpControl", Args(stream, Out(control)));
    return E_NOTIMPL;
}

HRESULT FakeVmr::GetProcAmpControlRange(DWORD stream, VMR9ProcAmpControlRange* range)
{
    Enter("IVMRMixerControl9::GetProcAmpControlRange", Args(stream, Out(range)));
    return E_NOTIMPL;
}

// IVMRMixerBitmap9

void FakeVmr::TakePicture(const VMR9AlphaBitmap& bitmap)
{
    overlayPicture = OverlayPicture{};
    if ((bitmap.dwFlags & VMR9AlphaBitmap_EntireDDS) != 0) {
        FakeSurface* surface = FakeRegistry::FromInterface<FakeSurface>(bitmap.pDDS);
        if (!surface)
            return;
        overlayPicture.width = static_cast<LONG>(surface->Width());
        overlayPicture.height = static_cast<LONG>(surface->Height());
        for (UINT y = 0; y < surface->Height(); ++y)
            for (UINT x = 0; x < surface->Width(); ++x)
                overlayPicture.pixels.push_back(surface->Pixel(x, y));
        return;
    }
    // A DC: copy the source rectangle, as the mixer does, so the DC may be deleted afterwards.
    LONG width = bitmap.rSrc.right - bitmap.rSrc.left;
    LONG height = bitmap.rSrc.bottom - bitmap.rSrc.top;
    if (width <= 0 || height <= 0)
        return;
    HDC copyDc = CreateCompatibleDC(bitmap.hdc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(copyDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, width, height, bitmap.hdc, bitmap.rSrc.left, bitmap.rSrc.top, SRCCOPY);
    GdiFlush();
    overlayPicture.width = width;
    overlayPicture.height = height;
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    for (LONG i = 0; pixels && i < width * height; ++i)
        overlayPicture.pixels.push_back(pixels[i] & 0x00FFFFFF);
    SelectObject(copyDc, previous);
    DeleteObject(copy);
    DeleteDC(copyDc);
}

HRESULT FakeVmr::SetAlphaBitmap(const VMR9AlphaBitmap* bitmap)
{
    VMR9AlphaBitmap given = bitmap ? *bitmap : VMR9AlphaBitmap{};
    HRESULT answer = EnterWithRecord("IVMRMixerBitmap9::SetAlphaBitmap", Args(bitmap), given);
    if (FAILED(answer))
        return answer;
    if (!bitmap)
        return E_POINTER;
    bool fromDc = (given.dwFlags & VMR9AlphaBitmap_hDC) != 0;
    bool fromSurface = (given.dwFlags & VMR9AlphaBitmap_EntireDDS) != 0;
    if ((given.dwFlags & VMR9AlphaBitmap_Disable) == 0) {
        if (fromDc == fromSurface || (fromDc && !given.hdc) || (fromSurface && !given.pDDS))
            return E_INVALIDARG;
        if (given.fAlpha < 0.0f || given.fAlpha > 1.0f)
            return E_INVALIDARG;
        TakePicture(given);
    }
    alphaBitmap = given;
    hasAlphaBitmap = true;
    return answer;
}

HRESULT FakeVmr::UpdateAlphaBitmapParameters(const VMR9AlphaBitmap* bitmap)
{
    VMR9AlphaBitmap given = bitmap ? *bitmap : VMR9AlphaBitmap{};
    HRESULT answer =
        EnterWithRecord("IVMRMixerBitmap9::UpdateAlphaBitmapParameters", Args(bitmap), given);
    if (FAILED(answer))
        return answer;
    if (!bitmap)
        return E_POINTER;
    if (given.fAlpha < 0.0f || given.fAlpha > 1.0f)
        return E_INVALIDARG;
    // The picture stays the one taken at SetAlphaBitmap; only the parameters change.
    given.hdc = alphaBitmap.hdc;
    given.pDDS = alphaBitmap.pDDS;
    alphaBitmap = given;
    hasAlphaBitmap = true;
    return answer;
}

HRESULT FakeVmr::GetAlphaBitmapParameters(VMR9AlphaBitmap* bitmap)
{
    return Report("IVMRMixerBitmap9::GetAlphaBitmapParameters", bitmap, alphaBitmap);
}

// IVMRMonitorConfig9

HRESULT FakeVmr::SetMonitor(UINT device)
{
    return Store("IVMRMonitorConfig9::SetMonitor", settings.monitor, device);
}

HRESULT FakeVmr::GetMonitor(UINT* device)
{
    return Report("IVMRMonitorConfig9::GetMonitor", device, settings.monitor);
}

HRESULT FakeVmr::SetDefaultMonitor(UINT device)
{
    return Enter("IVMRMonitorConfig9::SetDefaultMonitor", Args(device));
}

HRESULT FakeVmr::GetDefaultMonitor(UINT* device)
{
    return Report("IVMRMonitorConfig9::GetDefaultMonitor", device, 0);
}

HRESULT FakeVmr::GetAvailableMonitors(VMR9MonitorInfo* info, DWORD size, DWORD* count)
{
    Enter("IVMRMonitorConfig9::GetAvailableMonitors", Args(Out(info), size, Out(count)));
    return E_NOTIMPL;
}
