// Load, Play, Stop and destroy over and over, and the natural end racing Stop and the
// destructor: no deadlock (the test would time out), no crash, no thread or handle left behind.
// CI runs a bounded number of cycles; CORVANE_CONTROL_CYCLES sets another (1000 for the full
// runs, given in the README's control benchmark section).
#include "HostedCorvane.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

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
        BetweenControls();
        Host(400, 300);
    }
    virtual void BetweenControls() {}
    // The counts after `cycles` cycles may exceed those before by what the platform itself
    // keeps over as many cycles of the engine alone (`platformGrowth`), and a few threads.
    void Run(int cycles, const char* clip, bool raceTheEnd, double endEarly, ProcessFigures platformGrowth)
    {
        for (int i = 0; i < 2; ++i)
            Cycle(i, clip, raceTheEnd, endEarly);
        const ProcessFigures before = ProcessFigures::Now();
        for (int i = 0; i < cycles; ++i)
            Cycle(i, clip, raceTheEnd, endEarly);
        PumpFor(300);
        const ProcessFigures after = ProcessFigures::Now();
        std::printf("%d cycles: threads %ld -> %ld, handles %lu -> %lu (the engine alone: +%ld, +%lu), "
                    "working set %lu -> %lu KB (the engine alone: +%ld KB)\n",
                    cycles, before.threads, after.threads, static_cast<unsigned long>(before.handles),
                    static_cast<unsigned long>(after.handles), platformGrowth.threads,
                    static_cast<unsigned long>(platformGrowth.handles),
                    static_cast<unsigned long>(before.workingSet / 1024),
                    static_cast<unsigned long>(after.workingSet / 1024),
                    static_cast<long>(platformGrowth.workingSet / 1024));
        EXPECT_LE(after.threads, before.threads + platformGrowth.threads + kThreadSlack);
        EXPECT_LE(after.handles, before.handles + platformGrowth.handles + kHandleSlack);
    }
    // What load, play, stop and close of the engine alone leave behind over `cycles` cycles.
    static ProcessFigures EngineAloneGrowth(int cycles, const char* clip)
    {
        TestWindow window(400, 300);
        auto cycle = [&] {
            CVMR9Graph engine;
            engine.SetVideoWindow(window.Handle());
            engine.SetMediaFile(TestMediaPath(clip).c_str(), 0, FALSE);
            engine.Play();
            engine.Stop();
            engine.CloseGraph();
        };
        cycle();
        const ProcessFigures before = ProcessFigures::Now();
        for (int i = 0; i < cycles; ++i)
            cycle();
        const ProcessFigures after = ProcessFigures::Now();
        return {std::max(0L, after.threads - before.threads),
                after.handles > before.handles ? after.handles - before.handles : 0,
                after.workingSet > before.workingSet ? after.workingSet - before.workingSet : 0};
    }

    // Threads the platform may still be winding down; handles of its window and COM caches.
    static constexpr long kThreadSlack = 2;
    static constexpr DWORD kHandleSlack = 10;
};

class LifetimeStressFake : public LifetimeStress
{
protected:
    // The fake platform keeps every call and every released object until it ends (for its
    // reference report): a fresh one for each control, so memory shows the control's own.
    std::optional<FakePlatform> platform{std::in_place};
    void BetweenControls() override
    {
        platform.reset();
        platform.emplace();
    }
};

TEST_F(LifetimeStressFake, LoadPlayStopDestroy)
{
    Run(CountFromEnvironment("CORVANE_CONTROL_CYCLES", 60), "video.avi", false, 0.0, {});
}

TEST_F(LifetimeStressFake, NaturalEndRacesStopAndTheDestructor)
{
    Run(CountFromEnvironment("CORVANE_CONTROL_CYCLES", 60), "video.avi", true, 0.0, {});
}

// Under Wine each graph leaves handles of the platform's behind (about 37 per graph here,
// with the engine alone too): only what the control adds to that counts.
TEST_F(LifetimeStress, RealLoadPlayStopDestroy)
{
    const int cycles = CountFromEnvironment("CORVANE_CONTROL_CYCLES", 4);
    Run(cycles, "video.avi", false, 0.0, EngineAloneGrowth(cycles, "video.avi"));
}

TEST_F(LifetimeStress, RealNaturalEndRacesStopAndTheDestructor)
{
    const int cycles = CountFromEnvironment("CORVANE_CONTROL_CYCLES", 4);
    Run(cycles, "video.avi", true, 0.15, EngineAloneGrowth(cycles, "video.avi"));
}

}  // namespace
