// The process-wide effect flags, the slide and strobe steps and the two restore operations.
#include "VMR9Graph.h"

#include "OverlayParameters.h"

volatile LONG effectFlags = 0;

namespace {
constexpr float kSlideStep = 0.05f;
constexpr float kWrapThreshold = 0.04f;
constexpr float kStrobeStep = 0.125f;
constexpr float kRightBorder = 1.0f;
constexpr float kOpaque = 1.0f;
constexpr float kTransparent = 0.0f;

bool EffectOn(LONG bit) { return (effectFlags & bit) != 0; }
}  // namespace

void CVMR9Graph::ToggleEffectFlags(LONG bits)
{
    EngineGuard guard(engineLock);
    // Other controls toggle the same word from their own threads: swap it whole so that no
    // toggle undoes another's.
    LONG seen, wanted;
    do {
        seen = effectFlags;
        wanted = (seen & bits) != 0 ? (seen & ~bits) : (seen | bits);
    } while (InterlockedCompareExchange(&effectFlags, wanted, seen) != seen);
}

// A step is skipped once its effect has been switched off: the timer tick that decided to
// step may reach here after the monitor thread has ended the effect and restored the overlay.
void CVMR9Graph::SlideStep()
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap || !EffectOn(EFFECT_SLIDE))
        return;
    ChangeOverlayParameters([this](VMR9AlphaBitmap& parameters) {
        VMR9NormalizedRect& dest = parameters.rDest;
        dest.left -= kSlideStep;
        dest.right -= kSlideStep;
        // Mirrored, the left field holds the right-hand edge.
        if (!EffectOn(EFFECT_MIRROR)) {
            if (dest.right <= kWrapThreshold) {
                dest.left = kRightBorder;
                dest.right = overlayWidth + kRightBorder;
            }
        } else if (dest.left <= kWrapThreshold) {
            dest.left = overlayWidth + kRightBorder;
            dest.right = kRightBorder;
        }
    });
}

void CVMR9Graph::StrobeStep()
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap || !EffectOn(EFFECT_STROBE))
        return;
    ChangeOverlayParameters([](VMR9AlphaBitmap& parameters) {
        float alpha = parameters.fAlpha + kStrobeStep;
        parameters.fAlpha = alpha > kOpaque ? kTransparent : alpha;
    });
}

void CVMR9Graph::RestoreOverlayPosition()
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap)
        return;
    ChangeOverlayParameters([this](VMR9AlphaBitmap& parameters) {
        const bool mirrored = EffectOn(EFFECT_MIRROR);
        parameters.rDest.left = mirrored ? overlayRect.right : overlayRect.left;
        parameters.rDest.right = mirrored ? overlayRect.left : overlayRect.right;
    });
}

void CVMR9Graph::RestoreOverlayAlpha()
{
    EngineGuard guard(engineLock);
    if (!mixerBitmap)
        return;
    ChangeOverlayParameters([this](VMR9AlphaBitmap& parameters) { parameters.fAlpha = overlayAlpha; });
}
