// The overlay, text and effect commands. The control keeps what it last asked for (picture file,
// rectangle and opacity; text and position) even when the engine refuses it, so that the next
// re-show through DisableOverlayBitmap or DisableText tries again with the same values.
#include "CorvaneCtrl.h"

namespace {
constexpr COLORREF kTransparentWhite = 0xFFFFFF;

RECT PixelRect(long left, long top, long width, long height)
{
    return RECT{left, top, left + width, top + height};
}

// The text as the engine's text buffer holds it: at most its size less the terminator, in
// whole characters.
std::wstring FittedText(const wchar_t* text)
{
    if (!text)
        return std::wstring();
    return std::wstring(text, CVMR9Graph::FittedTextLength(text));
}
}  // namespace

void CCorvaneCtrl::SetOverlayBitmap(const wchar_t* filePath, long left, long top, long width, long height,
                                    long alpha)
{
    const wchar_t* file = filePath ? filePath : L"";
    engine.SetOverlayBitmap(file, alpha, kTransparentWhite, PixelRect(left, top, width, height));
    bitmapFile = file;
    StoreBitmapPlace(left, top, width, height, alpha);
}

void CCorvaneCtrl::UpdateOverlayBitmapParam(long left, long top, long width, long height, long alpha)
{
    engine.UpdateOverlayBitmap(alpha, kTransparentWhite, PixelRect(left, top, width, height));
    StoreBitmapPlace(left, top, width, height, alpha);
}

void CCorvaneCtrl::StoreBitmapPlace(long left, long top, long width, long height, long alpha)
{
    bitmapLeft = left;
    bitmapTop = top;
    bitmapWidth = width;
    bitmapHeight = height;
    bitmapAlpha = alpha;
}

void CCorvaneCtrl::SetText(const wchar_t* text, long left, long top)
{
    engine.SetOverlayText(text, left, top);
    // Kept as the engine keeps it, so that a re-show draws the same text.
    lastText = FittedText(text);
    textLeft = left;
    textTop = top;
}

void CCorvaneCtrl::SetFontSize(long fontSize)
{
    engine.SetFontSize(fontSize);
}

void CCorvaneCtrl::SetFontColor(long fontColor)
{
    engine.SetFontColor(static_cast<COLORREF>(fontColor));
}

void CCorvaneCtrl::SetFontName(const wchar_t* fontName)
{
    engine.SetFontName(fontName);
}

void CCorvaneCtrl::DisableText()
{
    engine.ToggleEffectFlags(OVERLAY_DISABLED);
    engine.ShowOverlayText(effectFlags, lastText.c_str(), textLeft, textTop);
}

void CCorvaneCtrl::DisableOverlayBitmap()
{
    engine.ToggleEffectFlags(OVERLAY_DISABLED);
    engine.ShowOverlayBitmap(effectFlags, bitmapFile.c_str(), bitmapLeft, bitmapTop, bitmapWidth, bitmapHeight,
                             bitmapAlpha);
}

void CCorvaneCtrl::SlideEffect()
{
    ToggleAnimatedEffect(EFFECT_SLIDE, &CVMR9Graph::RestoreOverlayPosition);
}

void CCorvaneCtrl::StrobeEffect()
{
    ToggleAnimatedEffect(EFFECT_STROBE, &CVMR9Graph::RestoreOverlayAlpha);
}

void CCorvaneCtrl::ToggleAnimatedEffect(LONG bit, void (CVMR9Graph::*restoreHome)())
{
    engine.ToggleEffectFlags(bit);
    // Switching on restarts the effect timer; switching off only puts the overlay back and
    // leaves the timer running.
    if ((effectFlags & bit) != 0)
        StartEffectTimer();
    else
        (engine.*restoreHome)();
}

void CCorvaneCtrl::MirrorEffect()
{
    engine.ToggleEffectFlags(EFFECT_MIRROR);
    engine.MirrorOverlay(effectFlags);
}

void CCorvaneCtrl::FlipEffect()
{
    engine.ToggleEffectFlags(EFFECT_FLIP);
    engine.FlipOverlay(effectFlags);
}

void CCorvaneCtrl::GetCurrentImage(const wchar_t* filePath)
{
    engine.SaveCurrentImage(filePath);
}
