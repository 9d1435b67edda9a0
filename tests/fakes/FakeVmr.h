// A fake Video Mixing Renderer 9. It keeps what it is told (mode, streams, window, position,
// per-stream alpha, z-order and rectangle, the alpha bitmap) for tests to read, and behaves as
// the real mixer where the engine depends on it: the windowless control works only in windowless
// mode, the mixer interface appears once the number of streams is set, and mixer calls for a
// stream without an input pin fail with E_INVALIDARG.
#pragma once

#include "fakes/FakeFilter.h"

#include <array>

struct FakeVmrSettings
{
    // Native size answered while a video input is connected (0 x 0 while none is).
    LONG nativeWidth = 640;
    LONG nativeHeight = 480;
    bool sizeWithoutVideo = false;  // answer the size even with no video connected
    // Packed DIB handed out by GetCurrentImage (see MakePackedDib); empty: the call fails.
    std::vector<BYTE> currentImage;
    UINT monitor = 0;
    bool mixerNeedsStreams = true;  // IVMRMixerControl9 only after SetNumberOfStreams
};

// A copy of the overlay picture the mixer took at SetAlphaBitmap, as 0x00RRGGBB, top row first.
struct OverlayPicture
{
    LONG width = 0;
    LONG height = 0;
    std::vector<DWORD> pixels;
    DWORD Pixel(LONG x, LONG y) const { return pixels.at(y * width + x); }
};

class FakeVmr final : public FakeFilterOf<IVMRFilterConfig9, IVMRWindowlessControl9,
                                          IVMRMixerControl9, IVMRMixerBitmap9, IVMRMonitorConfig9>
{
public:
    static constexpr DWORD kMaxStreams = 16;
    struct Stream
    {
        float alpha = 1.0f;
        DWORD zOrder = 0;
        VMR9NormalizedRect outputRect{0.0f, 0.0f, 1.0f, 1.0f};
    };

    explicit FakeVmr(const FakeVmrSettings& settings = {});

    FakeVmrSettings settings;
    // What the engine set, for tests to read.
    DWORD renderingMode = VMR9Mode_Windowed;
    DWORD streamCount = 0;  // 0 until SetNumberOfStreams
    DWORD renderingPrefs = 0;
    DWORD aspectRatioMode = VMR9ARMode_None;
    HWND clippingWindow = nullptr;
    RECT sourceRect{};
    RECT destinationRect{};
    COLORREF borderColor = 0;
    COLORREF backgroundColor = 0;
    DWORD mixingPrefs = 0;
    std::array<Stream, kMaxStreams> streams{};
    bool hasAlphaBitmap = false;
    VMR9AlphaBitmap alphaBitmap{};  // the parameters in force
    OverlayPicture overlayPicture;  // the picture taken at the last SetAlphaBitmap
    BYTE* lastImage = nullptr;      // the block the last GetCurrentImage handed out

    bool HasVideoInput() const;

    // IVMRFilterConfig9
    HRESULT STDMETHODCALLTYPE SetImageCompositor(IVMRImageCompositor9* compositor) override;
    HRESULT STDMETHODCALLTYPE SetNumberOfStreams(DWORD max) override;
    HRESULT STDMETHODCALLTYPE GetNumberOfStreams(DWORD* max) override;
    HRESULT STDMETHODCALLTYPE SetRenderingPrefs(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetRenderingPrefs(DWORD* flags) override;
    HRESULT STDMETHODCALLTYPE SetRenderingMode(DWORD mode) override;
    HRESULT STDMETHODCALLTYPE GetRenderingMode(DWORD* mode) override;
    // IVMRWindowlessControl9
    HRESULT STDMETHODCALLTYPE GetNativeVideoSize(LONG* width, LONG* height, LONG* arWidth,
                                                 LONG* arHeight) override;
    HRESULT STDMETHODCALLTYPE GetMinIdealVideoSize(LONG* width, LONG* height) override;
    HRESULT STDMETHODCALLTYPE GetMaxIdealVideoSize(LONG* width, LONG* height) override;
    HRESULT STDMETHODCALLTYPE SetVideoPosition(const RECT* source, const RECT* dest) override;
    HRESULT STDMETHODCALLTYPE GetVideoPosition(RECT* source, RECT* dest) override;
    HRESULT STDMETHODCALLTYPE GetAspectRatioMode(DWORD* mode) override;
    HRESULT STDMETHODCALLTYPE SetAspectRatioMode(DWORD mode) override;
    HRESULT STDMETHODCALLTYPE SetVideoClippingWindow(HWND window) override;
    HRESULT STDMETHODCALLTYPE RepaintVideo(HWND window, HDC dc) override;
    HRESULT STDMETHODCALLTYPE DisplayModeChanged() override;
    HRESULT STDMETHODCALLTYPE GetCurrentImage(BYTE** dib) override;
    HRESULT STDMETHODCALLTYPE SetBorderColor(COLORREF color) override;
    HRESULT STDMETHODCALLTYPE GetBorderColor(COLORREF* color) override;
    // IVMRMixerControl9
    HRESULT STDMETHODCALLTYPE SetAlpha(DWORD stream, FLOAT alpha) override;
    HRESULT STDMETHODCALLTYPE GetAlpha(DWORD stream, FLOAT* alpha) override;
    HRESULT STDMETHODCALLTYPE SetZOrder(DWORD stream, DWORD z) override;
    HRESULT STDMETHODCALLTYPE GetZOrder(DWORD stream, DWORD* z) override;
    HRESULT STDMETHODCALLTYPE SetOutputRect(DWORD stream, const VMR9NormalizedRect* rect) override;
    HRESULT STDMETHODCALLTYPE GetOutputRect(DWORD stream, VMR9NormalizedRect* rect) override;
    HRESULT STDMETHODCALLTYPE SetBackgroundClr(COLORREF color) override;
    HRESULT STDMETHODCALLTYPE GetBackgroundClr(COLORREF* color) override;
    HRESULT STDMETHODCALLTYPE SetMixingPrefs(DWORD prefs) override;
    HRESULT STDMETHODCALLTYPE GetMixingPrefs(DWORD* prefs) override;
    HRESULT STDMETHODCALLTYPE SetProcAmpControl(DWORD stream, VMR9ProcAmpControl* control) override;
    HRESULT STDMETHODCALLTYPE GetProcAmpControl(DWORD stream, VMR9ProcAmpControl* control) override;
    HRESULT STDMETHODCALLTYPE GetProcAmpControlRange(DWORD stream,
                                                     VMR9ProcAmpControlRange* range) override;
    // IVMRMixerBitmap9
    HRESULT STDMETHODCALLTYPE SetAlphaBitmap(const VMR9AlphaBitmap* bitmap) override;
    HRESULT STDMETHODCALLTYPE UpdateAlphaBitmapParameters(const VMR9AlphaBitmap* bitmap) override;
    HRESULT STDMETHODCALLTYPE GetAlphaBitmapParameters(VMR9AlphaBitmap* bitmap) override;
    // IVMRMonitorConfig9
    HRESULT STDMETHODCALLTYPE SetMonitor(UINT device) override;
    HRESULT STDMETHODCALLTYPE GetMonitor(UINT* device) override;
    HRESULT STDMETHODCALLTYPE SetDefaultMonitor(UINT device) override;
    HRESULT STDMETHODCALLTYPE GetDefaultMonitor(UINT* device) override;
    HRESULT STDMETHODCALLTYPE GetAvailableMonitors(VMR9MonitorInfo* info, DWORD size,
                                                   DWORD* count) override;

private:
    void* FindInterface(REFIID iid) override;
    HRESULT Windowless(HRESULT answer) const;   // the answer, or VFW_E_WRONG_STATE
    HRESULT StreamCheck(HRESULT answer, DWORD stream) const;  // the answer, or E_INVALIDARG
    HRESULT Getter(const char* method, const void* out);
    // A logged getter that answers `value`, and a logged setter that keeps what it is given.
    template <class T, class V> HRESULT Report(const char* method, T* out, const V& value)
    {
        HRESULT answer = Getter(method, out);
        if (SUCCEEDED(answer))
            *out = value;
        return answer;
    }
    template <class T> HRESULT Store(const char* method, T& field, T value)
    {
        HRESULT answer = Enter(method, Args(value));
        if (SUCCEEDED(answer))
            field = value;
        return answer;
    }
    void TakePicture(const VMR9AlphaBitmap& bitmap);
};
