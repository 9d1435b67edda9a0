// Position, rate, audio and layer methods: each forwards to the engine after at most a guard,
// and answers its empty value when the guard fails.
#include "CorvaneCtrl.h"

bool CCorvaneCtrl::ReadyAndTimed()
{
    // Not greater also refuses a duration that is not a number.
    return mediaReady && engine.GetDuration() > 0.0;
}

short CCorvaneCtrl::GetSliderMax()
{
    return static_cast<short>(CVMR9Graph::SLIDER_SCALE);
}

long CCorvaneCtrl::GetSliderPosition()
{
    return ReadyAndTimed() ? engine.PollPlayback() : 0;
}

void CCorvaneCtrl::SetSliderPosition(long position)
{
    if (mediaReady)
        engine.SetSliderPosition(position);
}

double CCorvaneCtrl::GetDuration()
{
    return engine.GetDuration();
}

std::string CCorvaneCtrl::GetDurationHHMMSS()
{
    return engine.GetDurationHHMMSS();
}

double CCorvaneCtrl::GetPosition()
{
    return ReadyAndTimed() ? engine.GetPosition() : 0.0;
}

std::string CCorvaneCtrl::GetPositionHHMMSS()
{
    return ReadyAndTimed() ? engine.GetPositionHHMMSS() : std::string();
}

void CCorvaneCtrl::SetPosition(double position)
{
    if (mediaReady)
        engine.SetPosition(position);
}

double CCorvaneCtrl::GetPlaybackRate()
{
    return mediaReady ? engine.GetPlaybackRate() : 0.0;
}

void CCorvaneCtrl::SetPlaybackRate(double playbackRate)
{
    if (mediaReady)
        engine.SetPlaybackRate(playbackRate);
}

short CCorvaneCtrl::GetAudioVolume()
{
    return static_cast<short>(engine.GetAudioVolume());
}

void CCorvaneCtrl::SetAudioVolume(short volume)
{
    engine.SetAudioVolume(volume);
}

long CCorvaneCtrl::GetAudioBalance()
{
    return engine.GetAudioBalance();
}

void CCorvaneCtrl::SetAudioBalance(long balance)
{
    engine.SetAudioBalance(balance);
}

long CCorvaneCtrl::GetVideoWidth()
{
    return mediaReady ? engine.GetVideoWidth() : 0;
}

long CCorvaneCtrl::GetVideoHeight()
{
    return mediaReady ? engine.GetVideoHeight() : 0;
}

void CCorvaneCtrl::SetLayerSize(short layer, long left, long top, long width, long height)
{
    // Wrapping sums: an inverted or empty rectangle goes to the engine as given.
    const RECT pixels = {left, top, static_cast<LONG>(static_cast<ULONG>(left) + static_cast<ULONG>(width)),
                         static_cast<LONG>(static_cast<ULONG>(top) + static_cast<ULONG>(height))};
    engine.SetLayerRect(layer, pixels);
}

void CCorvaneCtrl::SetLayerAlpha(short layer, short alpha)
{
    engine.SetLayerAlpha(layer, alpha);
}

void CCorvaneCtrl::FlipVideo(short layer)
{
    engine.FlipLayer(layer);
}

void CCorvaneCtrl::MirrorVideo(short layer)
{
    engine.MirrorLayer(layer);
}

void CCorvaneCtrl::SwapVideo()
{
    engine.SwapLayers();
}
