// Loading and the transport commands: LoadMediaFile, Play, Pause (a toggle), Stop, StepFrame.
#include "CorvaneCtrl.h"

void CCorvaneCtrl::LoadMediaFile(const char* filePath, short layer, BOOL haveSound)
{
    const LONG widenedLayer = layer;
    CreateVideoWindow();
    if (!engine.SetVideoWindow(videoWindow) || !engine.SetMediaFile(filePath, widenedLayer, haveSound) ||
        !engine.SetLayerZOrder(widenedLayer, widenedLayer)) {
        ShowWindow(videoWindow, SW_HIDE);
        return;
    }
    if (engine.HasNoVideo()) {
        ShowWindow(videoWindow, SW_HIDE);
        mediaReady = TRUE;
        return;
    }
    ShowWindow(videoWindow, SW_SHOW);
    engine.UpdateVideoPosition();
    engine.Repaint();
    mediaReady = TRUE;
}

void CCorvaneCtrl::Play()
{
    if (engine.state == GRAPH_CLOSED) {
        SetModifiedFlag(true);
        return;
    }
    LayoutVideoWindow();
    if (!engine.Play())
        return;
    // Not greater also refuses a duration that is not a number.
    if (!(engine.GetDuration() > 0.0))
        return;
    engine.UpdateVideoPosition();
    engine.Repaint();
    mediaReady = TRUE;
    finishPending = FALSE;
    if (XMute)
        engine.MuteAudio();
    else
        engine.ApplyVolume();
    EndMonitor();
    // The monitor just ended may have raised the flag on its way out: this play starts clean.
    finishPending = FALSE;
    StartMonitor();
    StartPlayingTimer();
    StartFinishTimer();
    SetModifiedFlag(true);
}

void CCorvaneCtrl::Pause()
{
    KillPlayingTimer();
    KillFinishTimer();
    KillEffectTimer();
    engine.Pause();
    if (engine.state == GRAPH_RUNNING) {
        StartPlayingTimer();
        StartFinishTimer();
        StartEffectTimer();
    }
}

void CCorvaneCtrl::Stop()
{
    EndMonitor();
    KillPlayingTimer();
    KillFinishTimer();
    KillEffectTimer();
    engine.Stop();
    mediaReady = FALSE;
    EndEffects();
}

BOOL CCorvaneCtrl::StepFrame(long frame)
{
    return engine.StepFrame(frame);
}
