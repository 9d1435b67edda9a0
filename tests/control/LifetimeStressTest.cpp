// Load, Play, Stop and destroy over and over, and the natural end racing Stop and the
// destructor: no deadlock (the test would time out), no crash, no thread or handle left behind.
// CI runs a bounded number of cycles; CORVANE_CONTROL_CYCLES sets another (1000 for the full
// runs, given in the README's control benchmark section).
#include "HostedCorvane.h"

#include "fakes/FakePlatform.h"
#include "support/ProcessFigures.h"
#include "support/StressCounts.h"

namespace {

class LifetimeStress : public HostedCorvane
{
protected:
    // One cycle on a freshly hosted control; it ends with the next one hosted.
    // `endEarly` seconds before the end a seek sends playback there, and a pause of 0-250 ms
    // lets the monitor's end detection race Stop (even cycles) or the destructor (odd ones).
    void Cycle(int index, const char* clip, bool raceTheEnd, double endEarly)
    {
        Load(clip);
        control->Play();
        if (raceTheEnd) {
            control->SetPosition(control->GetDuration() - endEarly);
            PumpFor(static_cast<DWORD>(index * 37 % 250));
            if (index % 2 == 0)
                control->Stop();
        } else {
            control->Stop();
        }
        Release();
        Host(400, 300);
    }
    void Run(int cycles, const char* clip, bool raceTheEnd, double endEarly, long threadSlack, DWORD handleSlack)
    {
        for (int i = 0; i < 2; ++i)
            Cycle(i, clip, raceTheEnd, endEarly);
        const ProcessFigures before = ProcessFigures::Now();
        for (int i = 0; i < cycles; ++i)
            Cycle(i, clip, raceTheEnd, endEarly);
        PumpFor(300);
        const ProcessFigures after = ProcessFigures::Now();
        ProcessFigures::Print((std::to_string(cycles) + " cycles").c_str(), before, after);
        EXPECT_LE(after.threads, before.threads + threadSlack);
        EXPECT_LE(after.handles, before.handles + handleSlack);
    }
};

class LifetimeStressFake : public LifetimeStress
{
protected:
    FakePlatform platform;
};

TEST_F(LifetimeStressFake, LoadPlayStopDestroy)
{
    Run(CountFromEnvironment("CORVANE_CONTROL_CYCLES", 100), "video.avi", false, 0.0, 0, 0);
}

TEST_F(LifetimeStressFake, NaturalEndRacesStopAndTheDestructor)
{
    Run(CountFromEnvironment("CORVANE_CONTROL_CYCLES", 100), "video.avi", true, 0.0, 0, 0);
}

// The real platform keeps some threads and handles of its own for a while; a leak of the
// control's would grow with the cycles.
TEST_F(LifetimeStress, RealLoadPlayStopDestroy)
{
    Run(CountFromEnvironment("CORVANE_CONTROL_CYCLES", 5), "video.avi", false, 0.0, 3, 30);
}

TEST_F(LifetimeStress, RealNaturalEndRacesStopAndTheDestructor)
{
    Run(CountFromEnvironment("CORVANE_CONTROL_CYCLES", 5), "video.avi", true, 0.15, 3, 30);
}

}  // namespace
