// Duration, position, seeking in seconds and on the slider scale, and the playback rate.
#include "VMR9Graph.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace {
constexpr double kSecondsPerUnit = 1e-7;
constexpr double kUnitsPerSecond = 10000000.0;
constexpr DWORD kSeekFlags = AM_SEEKING_AbsolutePositioning | AM_SEEKING_SeekToKeyFrame;

// Seconds to media time, truncated toward zero. Values beyond the 64-bit range saturate
// rather than overflow; NaN has no media time at all.
bool SecondsToMediaTime(double seconds, REFERENCE_TIME& mediaTime)
{
    if (std::isnan(seconds))
        return false;
    const double units = std::trunc(seconds * kUnitsPerSecond);
    constexpr double kLimit = 9223372036854775807.0;  // rounds to 2^63
    if (units >= kLimit)
        mediaTime = std::numeric_limits<REFERENCE_TIME>::max();
    else if (units <= -kLimit)
        mediaTime = std::numeric_limits<REFERENCE_TIME>::min();
    else
        mediaTime = static_cast<REFERENCE_TIME>(units);
    return true;
}

// (slider * duration) / 1000 with the slider zero-extended, clamped to [0, duration]. Beyond
// the scale's end the product would overflow 64 bits on long media, yet it always lands at or
// past the duration, so it is answered without computing it.
REFERENCE_TIME SliderToMediaTime(LONG slider, REFERENCE_TIME duration)
{
    const ULONG scaled = static_cast<ULONG>(slider);
    if (duration <= 0)
        return 0;
    if (scaled >= static_cast<ULONG>(CVMR9Graph::SLIDER_SCALE))
        return duration;
    return (static_cast<REFERENCE_TIME>(scaled) * duration) / CVMR9Graph::SLIDER_SCALE;
}
// (position * 1000) / duration, on the scale 0..1000. Media that reports no length sits at the
// start instead of dividing by zero; the platform may report a position slightly past the end
// (or far outside the media), which lands at the scale's ends instead of beyond them.
int SliderPosition(REFERENCE_TIME position, REFERENCE_TIME duration)
{
    if (duration <= 0)
        return 0;
    const REFERENCE_TIME inside = std::min(std::max(position, REFERENCE_TIME{0}), duration);
    // inside <= duration, so the product only overflows for media over ~29 years long.
    constexpr REFERENCE_TIME kLimit = std::numeric_limits<REFERENCE_TIME>::max() / CVMR9Graph::SLIDER_SCALE;
    if (duration > kLimit)
        return static_cast<int>(inside / (duration / CVMR9Graph::SLIDER_SCALE));
    return static_cast<int>(inside * CVMR9Graph::SLIDER_SCALE / duration);
}
}  // namespace

int CVMR9Graph::ReadDurationAndPosition(REFERENCE_TIME& duration, REFERENCE_TIME& position)
{
    EngineGuard guard(engineLock);
    if (!mediaSeeking || FAILED(ReportIfFailed(mediaSeeking->GetDuration(&duration), "Can't read the duration")))
        return 0;
    LONGLONG stop = 0;
    return SUCCEEDED(ReportIfFailed(mediaSeeking->GetPositions(&position, &stop), "Can't read the position")) ? 1 : 0;
}

REFERENCE_TIME CVMR9Graph::ReportedPosition(REFERENCE_TIME duration, REFERENCE_TIME position)
{
    EngineGuard guard(engineLock);
    const bool inside = position > 0 && position < duration;
    // A graph just set running may still sit at 0 for a while (more so on a loaded machine):
    // that is a start, not an end, and must not make the monitor thread stop it.
    const bool starting = position == 0 && duration > 0 && state == GRAPH_RUNNING && playbackFinished == 0;
    playbackFinished = inside || starting ? 0 : 1;
    return inside ? position : duration;
}

int CVMR9Graph::PollPlayback()
{
    EngineGuard guard(engineLock);
    REFERENCE_TIME duration = 0, position = 0;
    if (!ReadDurationAndPosition(duration, position))
        return 0;
    ReportedPosition(duration, position);
    return SliderPosition(position, duration);
}

double CVMR9Graph::GetDuration()
{
    EngineGuard guard(engineLock);
    REFERENCE_TIME duration = 0;
    if (!mediaSeeking || FAILED(ReportIfFailed(mediaSeeking->GetDuration(&duration), "Can't read the duration")))
        return 0.0;
    return static_cast<double>(duration) * kSecondsPerUnit;
}

double CVMR9Graph::GetPosition()
{
    EngineGuard guard(engineLock);
    REFERENCE_TIME duration = 0, position = 0;
    if (!ReadDurationAndPosition(duration, position))
        return 0.0;
    return static_cast<double>(ReportedPosition(duration, position)) * kSecondsPerUnit;
}

int CVMR9Graph::SetPosition(double seconds)
{
    EngineGuard guard(engineLock);
    REFERENCE_TIME duration = 0;
    if (!mediaSeeking || !mediaControl ||
        FAILED(ReportIfFailed(mediaSeeking->GetDuration(&duration), "Can't seek, no duration")))
        return 0;
    REFERENCE_TIME target = 0;
    if (!SecondsToMediaTime(seconds, target))
        return 0;
    // Inside the media, as the slider lands: the platform would otherwise sit before the start
    // or far past the end, and report such positions back.
    target = std::min(std::max(target, REFERENCE_TIME{0}), std::max(duration, REFERENCE_TIME{0}));
    return SUCCEEDED(SeekStopped(target)) ? 1 : 0;
}

void CVMR9Graph::SetSliderPosition(LONG slider)
{
    EngineGuard guard(engineLock);
    REFERENCE_TIME duration = 0;
    if (!mediaSeeking || !mediaControl ||
        FAILED(ReportIfFailed(mediaSeeking->GetDuration(&duration), "Can't seek, no duration")))
        return;
    SeekStopped(SliderToMediaTime(slider, duration));
}

void CVMR9Graph::SeekToStart()
{
    EngineGuard guard(engineLock);
    LONGLONG start = 0;
    if (mediaSeeking)
        ReportIfFailed(mediaSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning),
                       "Can't seek to the start");
}

OAFilterState CVMR9Graph::GraphState(HRESULT* answer)
{
    EngineGuard guard(engineLock);
    OAFilterState now = State_Stopped;
    // No wait: a graph still on its way to a state answers that state with a success code.
    const HRESULT hr = mediaControl ? mediaControl->GetState(0, &now) : E_POINTER;
    if (answer)
        *answer = hr;
    if (SUCCEEDED(hr))
        return now;
    return state == GRAPH_RUNNING ? State_Running : State_Paused;
}

HRESULT CVMR9Graph::SeekStopped(REFERENCE_TIME target)
{
    EngineGuard guard(engineLock);
    // A seek into a paused graph that plays sound can make the platform's next Stop, or the
    // graph's release, hang for ever; a stopped graph seeks safely. A running graph runs again
    // only after a seek that succeeded; a paused one (also the stopped engine's graph, held
    // paused at its position) is paused again whatever the seek gave.
    const OAFilterState before = GraphState();
    if (before != State_Stopped)
        ReportIfFailed(mediaControl->Stop(), "Can't stop the graph to seek");
    const HRESULT hr =
        ReportIfFailed(mediaSeeking->SetPositions(&target, kSeekFlags, nullptr, AM_SEEKING_NoPositioning), "Can't seek");
    if (before == State_Running && SUCCEEDED(hr))
        ReportIfFailed(mediaControl->Run(), "Can't run the graph again after seeking");
    else if (before == State_Paused)
        ReportIfFailed(mediaControl->Pause(), "Can't pause the graph again after seeking");
    return hr;
}

double CVMR9Graph::GetPlaybackRate()
{
    EngineGuard guard(engineLock);
    double rate = 0.0;
    if (!mediaSeeking || FAILED(mediaSeeking->GetRate(&rate)))
        return 0.0;
    return rate;
}

void CVMR9Graph::SetPlaybackRate(double rate)
{
    EngineGuard guard(engineLock);
    if (rate != 0.5 && rate != 1.0 && rate != 2.0)
        return;
    if (!mediaSeeking || FAILED(ReportIfFailed(mediaSeeking->SetRate(rate), "Can't set the playback rate")))
        return;
    if (state == GRAPH_RUNNING && mediaControl)
        ReportIfFailed(mediaControl->Run(), "Can't run the graph at the new rate");
}
