// Loading and the transport commands: LoadMediaFile, Play, Pause (a toggle), Stop, StepFrame.
#include "CorvaneCtrl.h"

void CCorvaneCtrl::LoadMediaFile(const wchar_t* filePath, short layer, BOOL haveSound)
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
    if (engine.State() == GRAPH_CLOSED) {
        SetModifiedFlag(true);
        return;
    }
    // A monitor that has already taken the end would stop the graph this call starts: it is
    // ended before the graph runs. A play that then fails leaves a polling monitor polling.
    const bool monitorWasPolling = monitorThread && WaitForSingleObject(monitorThread, 0) == WAIT_TIMEOUT;
    EndMonitor();
    LayoutVideoWindow();
    // Not greater also refuses a duration that is not a number.
    if (!engine.Play() || !(engine.GetDuration() > 0.0)) {
        if (monitorWasPolling)
            StartMonitor();
        return;
    }
    engine.UpdateVideoPosition();
    engine.Repaint();
    mediaReady = TRUE;
    finishPending = FALSE;
    if (XMute)
        engine.MuteAudio();
    else
        engine.ApplyVolume();
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
    if (engine.State() == GRAPH_RUNNING) {
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
