// The stop after the natural end of the media, the hand-over of OnFinish to the window's
// thread, and EndEffects, which Stop, the stop sequence and Teardown share.
#include "CorvaneCtrl.h"
#include "CorvaneDispids.h"

namespace {
constexpr DWORD kFinishWindow = 100;
}  // namespace

void CCorvaneCtrl::StopSequence()
{
    if (OnWindowThread()) {
        // Command 1003: the whole sequence here; the finish window passes while this thread
        // sleeps, so no OnFinish. A monitor still polling would take the stop for an end.
        EndMonitor();
        KillPlayingTimer();
        KillEffectTimer();
        EndEffects();
        engine.Stop();
        mediaReady = FALSE;
        finishPending = TRUE;
        Sleep(kFinishWindow);
        KillFinishTimer();
        finishPending = FALSE;
        return;
    }
    // The monitor thread: timers belong to the window's thread (killing them from here fails
    // on Windows), so it is asked to kill 55 and 2003 now; the finish timer's next tick then
    // fires OnFinish and ends that timer too.
    const HWND window = GetControlWindow();
    const WPARAM generation = static_cast<WPARAM>(static_cast<ULONG>(monitorGeneration));
    PostMessageA(window, kEndOfMediaMessage, generation, kEndPhaseTimers);
    EndEffects();
    engine.Stop();
    mediaReady = FALSE;
    finishPending = TRUE;
    PostMessageA(window, kEndOfMediaMessage, generation, kEndPhaseFinished);
}

void CCorvaneCtrl::OnEndOfMedia(WPARAM generation, LPARAM phase)
{
    // From a monitor that Play, Stop, 1003 or Teardown has since ended: nothing to do.
    if (static_cast<LONG>(static_cast<ULONG>(generation)) != monitorGeneration)
        return;
    if (phase == kEndPhaseTimers) {
        KillPlayingTimer();
        KillEffectTimer();
        return;
    }
    // The finish timer is not running (Pause killed it at the very end, or SetTimer failed):
    // the media did end, so the event is fired here rather than lost.
    if (finishPending && finishTimerId == 0) {
        finishPending = FALSE;
        FireEvent(DISPID_CORVANE_ONFINISH);
    }
}

void CCorvaneCtrl::EndEffects()
{
    if (effectFlags & EFFECT_STROBE) {
        engine.ToggleEffectFlags(EFFECT_STROBE);
        engine.RestoreOverlayAlpha();
    }
    if (effectFlags & EFFECT_SLIDE) {
        engine.ToggleEffectFlags(EFFECT_SLIDE);
        engine.RestoreOverlayPosition();
    }
}
