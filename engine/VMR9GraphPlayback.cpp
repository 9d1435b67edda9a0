// Running, pausing and stopping the graph, frame stepping, and the end-of-media flag.
#include "VMR9Graph.h"

namespace {
// How long Play lets the graph get going before it answers.
constexpr DWORD kPlaySettleMilliseconds = 100;
}  // namespace

int CVMR9Graph::Play()
{
    {
        EngineGuard guard(engineLock);
        if (!mediaControl) {
            ReportError("Can't play, no graph", E_FAIL);
            return 0;
        }
        if (windowlessControl) {
            LONG width = 0, height = 0, aspectWidth = 0, aspectHeight = 0;
            windowlessControl->GetNativeVideoSize(&width, &height, &aspectWidth, &aspectHeight);
            RECT source = {0, 0, width, height};
            RECT destination = {};
            GetClientRect(videoWindow, &destination);
            ReportIfFailed(windowlessControl->SetVideoPosition(&source, &destination), "Can't place the video");
            if (!HasNoVideo())
                AcquireFrameStep();
        } else {
            // A graph whose VMR-9 could not be made has no picture to place; its sound plays.
            ReportError("Can't show the video, no VMR", E_FAIL);
        }

        if (soundRenderers[0] && basicAudio) {
            long current = 0;
            // A graph that cannot tell its volume has no usable sound: audio calls stay off
            // until the next graph is built.
            if (FAILED(basicAudio->get_Volume(&current)))
                basicAudio.Reset();
            else
                ApplyVolume();
        }

        playbackFinished = 0;
        state = GRAPH_RUNNING;
        if (FAILED(ReportIfFailed(mediaControl->Run(), "Can't play, the graph does not run")))
            return 0;
    }
    // Waited out without the lock, so the monitor thread is not held up meanwhile.
    Sleep(kPlaySettleMilliseconds);
    return 1;
}

int CVMR9Graph::Stop()
{
    EngineGuard guard(engineLock);
    if (!mediaControl) {
        ReportError("Can't stop, no graph", E_FAIL);
        return 0;
    }
    if (!mediaSeeking)
        return 0;
    if (state == GRAPH_STOPPED || state == GRAPH_CLOSED)
        return 1;
    if (FAILED(ReportIfFailed(mediaControl->StopWhenReady(), "Can't stop, the graph is not ready")))
        return 0;
    ReportIfFailed(mediaControl->Stop(), "Can't stop the graph");
    playbackFinished = 1;
    state = GRAPH_STOPPED;
    SeekToStart();
    return SUCCEEDED(ReportIfFailed(mediaControl->Pause(), "Can't hold the graph at its start")) ? 1 : 0;
}

int CVMR9Graph::Pause()
{
    EngineGuard guard(engineLock);
    if (state == GRAPH_STOPPED || !mediaControl)
        return 0;
    if (state == GRAPH_RUNNING) {
        if (FAILED(ReportIfFailed(mediaControl->Pause(), "Can't pause the graph")))
            return 0;
        state = GRAPH_PAUSED;
        return 1;
    }
    if (FAILED(ReportIfFailed(mediaControl->Run(), "Can't resume the graph")))
        return 0;
    state = GRAPH_RUNNING;
    return 1;
}

LONG CVMR9Graph::IsPlaybackFinished()
{
    EngineGuard guard(engineLock);
    return playbackFinished;
}

void CVMR9Graph::SetPlaybackFinished(LONG value)
{
    EngineGuard guard(engineLock);
    playbackFinished = value;
}

int CVMR9Graph::AcquireFrameStep()
{
    EngineGuard guard(engineLock);
    Ref<IVideoFrameStep> stepper;
    if (!graph || FAILED(graph.As(&stepper)) || !stepper)
        return 0;
    if (stepper->CanStep(0, nullptr) != S_OK)
        return 0;
    frameStep = stepper;
    return 1;
}

LONG CVMR9Graph::StepFrame(LONG frames)
{
    EngineGuard guard(engineLock);
    if (!frameStep)
        return 0;
    const HRESULT canStep = frameStep->CanStep(frames, nullptr);
    if (canStep != S_OK)
        return canStep;
    if (state != GRAPH_PAUSED)
        Pause();
    return frameStep->Step(static_cast<DWORD>(frames), nullptr);
}

BOOL CVMR9Graph::HasNoVideo()
{
    EngineGuard guard(engineLock);
    return GetVideoWidth() == 0 || GetVideoHeight() == 0;
}
