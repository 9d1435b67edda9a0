// The three timers on the control's window (55 playing, 56 finish, 2003 effect) and what every
// tick does: OnPlaying, the effect steps while the effect timer runs, OnFinish when handed over.
// Timers are only ever set and killed on the window's own thread.
#include "CorvaneCtrl.h"
#include "CorvaneDispids.h"

#include <algorithm>

namespace {

// No window, no timer: SetTimer without one would make a thread timer that never reaches us.
UINT_PTR SetWindowTimer(HWND window, UINT_PTR id, UINT period)
{
    return window ? SetTimer(window, id, period, nullptr) : 0;
}

// A timer dies with its window: once the window is gone only the identifier is cleared.
void KillWindowTimer(HWND window, UINT_PTR& id)
{
    if (id != 0 && window)
        KillTimer(window, id);
    id = 0;
}

}  // namespace

DWORD CCorvaneCtrl::EffectMilliseconds() const
{
    // A negative pace would be an endless sleep of the window's thread, a huge one a frozen
    // host; the stored property keeps whatever was put.
    return static_cast<DWORD>(std::clamp(XEffectSpeed, kEffectSpeedMin, kEffectSpeedMax));
}

void CCorvaneCtrl::StartPlayingTimer()
{
    KillPlayingTimer();
    playingTimerId = SetWindowTimer(GetControlWindow(), kPlayingTimer, kPlayingPeriod);
}

void CCorvaneCtrl::StartFinishTimer()
{
    KillFinishTimer();
    finishTimerId = SetWindowTimer(GetControlWindow(), kFinishTimer, kFinishPeriod);
}

void CCorvaneCtrl::StartEffectTimer()
{
    KillEffectTimer();
    if (effectTimerId == 0)
        effectTimerId = SetWindowTimer(GetControlWindow(), kEffectTimer, EffectMilliseconds());
}

void CCorvaneCtrl::KillPlayingTimer()
{
    KillWindowTimer(GetControlWindow(), playingTimerId);
}

void CCorvaneCtrl::KillFinishTimer()
{
    KillWindowTimer(GetControlWindow(), finishTimerId);
}

void CCorvaneCtrl::KillEffectTimer()
{
    KillWindowTimer(GetControlWindow(), effectTimerId);
}

void CCorvaneCtrl::OnTimer(UINT_PTR)
{
    FireEvent(DISPID_CORVANE_ONPLAYING);
    if (effectTimerId != 0) {
        if (effectFlags & OVERLAY_DISABLED)
            return;
        if (effectFlags & EFFECT_SLIDE) {
            Sleep(EffectMilliseconds());
            engine.SlideStep();
        }
        if (effectFlags & EFFECT_STROBE) {
            Sleep(EffectMilliseconds());
            engine.StrobeStep();
        }
    }
    if (finishTimerId != 0 && finishPending) {
        // This tick completes the natural end's stop; the timers go before the event, so a
        // handler that plays again keeps the timers it starts.
        finishPending = FALSE;
        KillPlayingTimer();
        KillEffectTimer();
        KillFinishTimer();
        FireEvent(DISPID_CORVANE_ONFINISH);
    }
    Default();
}
