// The overlay over the mixed picture: an image file in a Direct3D surface or one line of GDI
// text, shown through the mixer bitmap with white transparent; hiding, re-showing, flip, mirror.
#include "VMR9Graph.h"

#include "PercentFraction.h"

#include "EngineText.h"
#include "OverlayParameters.h"
#include "PlatformServices.h"

#include <cwchar>
#include <utility>

wchar_t CVMR9Graph::textBuffer[CVMR9Graph::kTextBufferSize] = {};

namespace {
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kFallbackImageSize = 128;  // images LoadImage cannot size are scaled into this
constexpr int kPointsPerInch = 72;
constexpr int kStandardDpi = 96;

// A memory DC with the text font selected and, once attached, a bitmap of the text's size;
// both are put back and deleted when it goes.
class TextCanvas final
{
public:
    TextCanvas(HDC screen, HFONT font) : dc(CreateCompatibleDC(screen))
    {
        if (dc)
            previousFont = SelectObject(dc, font);
    }
    ~TextCanvas()
    {
        if (!dc)
            return;
        if (bitmap) {
            SelectObject(dc, previousBitmap);
            DeleteObject(bitmap);
        }
        SelectObject(dc, previousFont);
        DeleteDC(dc);
    }
    TextCanvas(const TextCanvas&) = delete;
    TextCanvas& operator=(const TextCanvas&) = delete;

    bool AttachBitmap(HDC screen, const SIZE& size)
    {
        bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
        if (bitmap)
            previousBitmap = SelectObject(dc, bitmap);
        return bitmap != nullptr;
    }

    const HDC dc;

private:
    HGDIOBJ previousFont = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
};

}  // namespace

void CVMR9Graph::StoreOverlayHome(const VMR9NormalizedRect& dest, float alpha)
{
    overlayRect = OverlayRect{dest.left, dest.top, dest.right, dest.bottom};
    overlayWidth = dest.right - dest.left;
    overlayAlpha = alpha;
}

// The picture operations need the mixer, the windowless control and the device.
bool CVMR9Graph::PictureTargetsReady()
{
    if (!mixerBitmap || !windowlessControl) {
        ReportError("Can't set bitmap, no VMR", E_FAIL);
        return false;
    }
    if (!EnsureDirect3D()) {
        ReportError("Can't set bitmap, no Direct3D device", E_FAIL);
        return false;
    }
    return true;
}

// Sends the whole surface to the mixer over the given pixel rectangle.
int CVMR9Graph::ShowSurface(int alphaPercent, COLORREF colorKey, const RECT& pixels)
{
    VMR9NormalizedRect dest = {};
    // Without a native picture size there is no rectangle to place the picture in.
    if (!ToNormalizedRect(pixels, dest))
        return 0;
    VMR9AlphaBitmap bitmap = {};
    bitmap.dwFlags = VMR9AlphaBitmap_EntireDDS | VMR9AlphaBitmap_SrcColorKey;
    bitmap.pDDS = overlaySurface.Get();
    bitmap.rDest = dest;
    bitmap.fAlpha = PercentToFraction(alphaPercent);
    bitmap.clrSrcKey = colorKey;
    StoreOverlayHome(dest, bitmap.fAlpha);
    HRESULT hr = mixerBitmap->SetAlphaBitmap(&bitmap);
    if (FAILED(hr)) {
        ReportError("Can't display the bitmap", hr);
        return 0;
    }
    return 1;
}

// Hides whatever overlay is shown; a flip or mirror in force is remembered for the next show.
int CVMR9Graph::HideOverlay()
{
    VMR9AlphaBitmap parameters = {};
    ReportIfFailed(mixerBitmap->GetAlphaBitmapParameters(&parameters), "Can't read the overlay");
    parameters.dwFlags = VMR9AlphaBitmap_Disable;
    if ((effectFlags & EFFECT_FLIP) != 0)
        reflipOnShow = 1;
    if ((effectFlags & EFFECT_MIRROR) != 0)
        remirrorOnShow = 1;
    return SUCCEEDED(ReportIfFailed(mixerBitmap->UpdateAlphaBitmapParameters(&parameters),
                                           "Can't hide the overlay")) ? 1 : 0;
}

// A rebuilt overlay comes back at home; flip and mirror it again as they were when hidden.
// Only a successful rebuild uses up the reminders, so a failed show leaves them for the next.
int CVMR9Graph::AfterRebuild(int rebuilt)
{
    if (!rebuilt)
        return 0;
    if (reflipOnShow) {
        FlipOverlay(effectFlags);
        reflipOnShow = 0;
    }
    if (remirrorOnShow) {
        MirrorOverlay(effectFlags);
        remirrorOnShow = 0;
    }
    return rebuilt;
}

int CVMR9Graph::ReadBitmapSize(const wchar_t* fileName, int* height, int* width)
{
    EngineGuard guard(engineLock);
    if (!fileName || !height || !width)
        return 0;
    HANDLE image = LoadImageW(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
    if (!image)
        return 0;
    BITMAP info = {};
    const bool sized = GetObjectA(image, sizeof info, &info) != 0;
    DeleteObject(image);
    if (!sized)
        return 0;
    *height = info.bmHeight;
    *width = info.bmWidth;
    return 1;
}

int CVMR9Graph::SetOverlayBitmap(const wchar_t* fileName, int alphaPercent, COLORREF colorKey,
                                 const RECT& pixels)
{
    EngineGuard guard(engineLock);
    if (!PictureTargetsReady())
        return 0;
    overlaySurface.Reset();
    const wchar_t* file = fileName ? fileName : L"";

    LONG nativeWidth = 0, nativeHeight = 0, aspectWidth = 0, aspectHeight = 0;
    if (FAILED(ReportIfFailed(windowlessControl->GetNativeVideoSize(&nativeWidth, &nativeHeight, &aspectWidth,
                                                                    &aspectHeight),
                              "Can't set bitmap, no video size")))
        return 0;
    int height = kFallbackImageSize, width = kFallbackImageSize;
    if (!ReadBitmapSize(file, &height, &width))
        height = width = kFallbackImageSize;

    HRESULT hr = d3dDevice->CreateOffscreenPlainSurface(static_cast<UINT>(width), static_cast<UINT>(height),
                                                        D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                        overlaySurface.ReleaseAndGetAddressOf(), nullptr);
    if (FAILED(hr) || !overlaySurface) {
        overlaySurface.Reset();
        ReportError("Can't create a Direct3d surface", FAILED(hr) ? hr : E_FAIL);
        return 0;
    }
    // An unreadable file leaves the surface as it was created; the loader scales what it reads.
    ReportIfFailed(Platform().loadSurfaceFromFile(overlaySurface.Get(), file, D3DX_DEFAULT, 0),
                   "Can't read the overlay picture");

    // A refused picture keeps its surface, so that a later update can offer it again.
    return ShowSurface(alphaPercent, colorKey, pixels);
}

int CVMR9Graph::UpdateOverlayBitmap(int alphaPercent, COLORREF colorKey, const RECT& pixels)
{
    EngineGuard guard(engineLock);
    if (!PictureTargetsReady())
        return 0;
    if (!overlaySurface) {
        ReportError("Can't set bitmap, no Direct3D surface", E_FAIL);
        return 0;
    }
    return ShowSurface(alphaPercent, colorKey, pixels);
}

HFONT CVMR9Graph::CreateTextFont()
{
    EngineGuard guard(engineLock);
    HDC dc = GetDC(videoWindow);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kStandardDpi;
    if (dc)
        ReleaseDC(videoWindow, dc);

    LOGFONTW font = {};
    // Negative: a character height (without internal leading) of that many pixels.
    font.lfHeight = -MulDiv(fontSize, dpi, kPointsPerInch);
    lstrcpynW(font.lfFaceName, fontName.c_str(), LF_FACESIZE);
    // Smoothed edges would blend into the white key and leave a halo.
    font.lfQuality = NONANTIALIASED_QUALITY;
    return CreateFontIndirectW(&font);
}

int CVMR9Graph::SetOverlayText(const wchar_t* text, int left, int top)
{
    EngineGuard guard(engineLock);
    KeepText(text);
    return DrawOverlayText(textBuffer, left, top);
}

int CVMR9Graph::DrawOverlayText(const wchar_t* text, int left, int top)
{
    EngineGuard guard(engineLock);
    // An empty line would give the mixer an empty source rectangle.
    if (!text || !*text)
        return 0;
    if (GetVideoWidth() == 0 || GetVideoHeight() == 0)
        return 0;
    if (!graphBuilder || !windowlessControl || !mixerBitmap)
        return 0;

    if (textFont)
        DeleteObject(textFont);
    textFont = CreateTextFont();
    if (!textFont)
        return 0;

    const int length = static_cast<int>(wcsnlen(text, 0x7FFFFFFF));
    HDC screen = GetDC(videoWindow);
    if (!screen)
        return 0;
    TextCanvas canvas(screen, textFont);
    SIZE size = {0, 0};
    VMR9NormalizedRect dest = {};
    const bool ready = canvas.dc && GetTextExtentPoint32W(canvas.dc, text, length, &size) &&
                       ToNormalizedRect(RECT{left, top, left + size.cx, top + size.cy}, dest) &&
                       canvas.AttachBitmap(screen, size);
    ReleaseDC(videoWindow, screen);
    if (!ready)
        return 0;

    RECT source;
    SetRect(&source, 0, 0, size.cx, size.cy);
    // The cell behind and between the glyphs is filled white (opaque background mode), and
    // white is keyed out, so only the glyphs show.
    SetBkColor(canvas.dc, kWhite);
    SetTextColor(canvas.dc, textColor);
    TextOutW(canvas.dc, 0, 0, text, length);

    VMR9AlphaBitmap bitmap = {};
    bitmap.dwFlags = VMR9AlphaBitmap_hDC;
    bitmap.hdc = canvas.dc;
    bitmap.rSrc = source;
    bitmap.rDest = dest;
    bitmap.fAlpha = 1.0f;
    bitmap.dwFilterMode = 0;
    ApplyColorKey(bitmap);
    StoreOverlayHome(dest, bitmap.fAlpha);
    // The mixer copies the picture during the call; the canvas goes right after.
    return SUCCEEDED(ReportIfFailed(mixerBitmap->SetAlphaBitmap(&bitmap), "Can't set the overlay text")) ? 1 : 0;
}

void CVMR9Graph::SetFontSize(LONG points)
{
    EngineGuard guard(engineLock);
    fontSize = points;
}

void CVMR9Graph::SetFontColor(COLORREF color)
{
    EngineGuard guard(engineLock);
    textColor = color;
}

void CVMR9Graph::SetFontName(const wchar_t* faceName)
{
    EngineGuard guard(engineLock);
    if (faceName)
        fontName = faceName;
}

int CVMR9Graph::ShowOverlayBitmap(LONG flags, const wchar_t* fileName, int left, int top, int width,
                                  int height, int alphaPercent)
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap || !fileName || !*fileName)
        return 0;
    if ((flags & OVERLAY_DISABLED) != 0)
        return HideOverlay();
    return AfterRebuild(SetOverlayBitmap(fileName, alphaPercent, kWhite,
                                                RECT{left, top, left + width, top + height}));
}

size_t CVMR9Graph::FittedTextLength(const wchar_t* text)
{
    return WholeCharacterPrefix(text, kTextBufferSize - 1);
}

void CVMR9Graph::KeepText(const wchar_t* text)
{
    // Longer text is cut to what the buffer holds; the text may be the buffer itself.
    const size_t length = text ? FittedTextLength(text) : 0;
    wmemmove(textBuffer, text ? text : L"", length);
    textBuffer[length] = L'\0';
}

int CVMR9Graph::ShowOverlayText(LONG flags, const wchar_t* text, int left, int top)
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap || !text || !*text)
        return 0;
    if ((flags & OVERLAY_DISABLED) != 0)
        return HideOverlay();
    KeepText(text);
    return AfterRebuild(DrawOverlayText(textBuffer, left, top));
}

int CVMR9Graph::FlipOverlay(LONG flags)
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap)
        return 0;
    HRESULT hr = ChangeOverlayParameters([this, flags](VMR9AlphaBitmap& parameters) {
        if ((flags & EFFECT_FLIP) != 0) {
            std::swap(parameters.rDest.top, parameters.rDest.bottom);
        } else {
            parameters.rDest.top = overlayRect.top;
            parameters.rDest.bottom = overlayRect.bottom;
        }
    });
    return SUCCEEDED(hr) ? 1 : 0;
}

int CVMR9Graph::MirrorOverlay(LONG flags)
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap)
        return 0;
    // While sliding, the mirror is undone where the overlay is now, not at its home.
    HRESULT hr = ChangeOverlayParameters([this, flags](VMR9AlphaBitmap& parameters) {
        if ((flags & (EFFECT_MIRROR | EFFECT_SLIDE)) != 0) {
            std::swap(parameters.rDest.left, parameters.rDest.right);
        } else {
            parameters.rDest.left = overlayRect.left;
            parameters.rDest.right = overlayRect.right;
        }
    });
    return SUCCEEDED(hr) ? 1 : 0;
}

void CVMR9Graph::ApplyColorKey(VMR9AlphaBitmap& bitmap)
{
    EngineGuard guard(engineLock);
    bitmap.clrSrcKey = kWhite;
    bitmap.dwFlags |= VMR9AlphaBitmap_SrcColorKey;
}
