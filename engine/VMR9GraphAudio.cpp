// Volume, mute and balance of the graph's sound.
#include "VMR9Graph.h"

namespace {
constexpr LONG kSilence = -10000;  // hundredths of a decibel

// The control's 0-100 volume as the platform's attenuation: 100 is full, 0 silent.
long PlatformVolume(LONG volume) { return volume * 100 - 10000; }
}  // namespace

void CVMR9Graph::SetAudioVolume(LONG newVolume)
{
    EngineGuard guard(engineLock);
    if (newVolume < 0 || newVolume > 100 || state == GRAPH_CLOSED)
        return;
    volume = newVolume;
    if (basicAudio)
        ReportIfFailed(basicAudio->put_Volume(PlatformVolume(volume)), "Can't set the volume");
}

LONG CVMR9Graph::GetAudioVolume()
{
    EngineGuard guard(engineLock);
    return basicAudio ? volume : 0;
}

void CVMR9Graph::MuteAudio()
{
    EngineGuard guard(engineLock);
    if (basicAudio)
        ReportIfFailed(basicAudio->put_Volume(kSilence), "Can't mute the sound");
}

void CVMR9Graph::ApplyVolume()
{
    EngineGuard guard(engineLock);
    if (basicAudio)
        ReportIfFailed(basicAudio->put_Volume(PlatformVolume(volume)), "Can't set the volume");
}

int CVMR9Graph::SetAudioBalance(LONG balance)
{
    EngineGuard guard(engineLock);
    return basicAudio && SUCCEEDED(ReportIfFailed(basicAudio->put_Balance(balance), "Can't set the balance")) ? 1 : 0;
}

LONG CVMR9Graph::GetAudioBalance()
{
    EngineGuard guard(engineLock);
    long balance = 0;
    if (!basicAudio || FAILED(basicAudio->get_Balance(&balance)))
        return 0;
    return balance;
}
