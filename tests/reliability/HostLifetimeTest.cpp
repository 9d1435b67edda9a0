// Hosts that let go at awkward moments: the last reference released inside an event handler,
// and a second control made and destroyed again and again while the first plays.
// On the fake platform, whose clips play to their end like real ones: what is tested is the
// control's own timers, monitor thread and lifetime. (Cycles of load, play, stop and destroy at
// scale, on both platforms, are the control tests' LifetimeStress.)
#include "control/HostedCorvane.h"

#include "fakes/FakePlatform.h"
#include "support/ProcessFigures.h"
#include "support/StressCounts.h"

namespace {

class HostLifetime : public HostedCorvane
{
protected:
    FakePlatform platform;
};

TEST_F(HostLifetime, HostReleasesTheControlInsideEachEvent)
{
    for (DISPID event : {DISPID_CORVANE_ONPLAYING, DISPID_CORVANE_ONFINISH}) {
        SCOPED_TRACE(event == DISPID_CORVANE_ONPLAYING ? "OnPlaying" : "OnFinish");
        bool released = false;
        sink.calls.clear();
        sink.duringCall = [&] {
            if (!released && !sink.calls.empty() && sink.calls.back().dispid == event) {
                released = true;
                Release();
            }
        };
        Load("video.avi");
        control->Play();
        if (event == DISPID_CORVANE_ONFINISH)
            control->SetPosition(control->GetDuration());  // the fake clip sits where it is sent
        EXPECT_TRUE(PumpUntil([&] { return released; }, 10000));
        sink.duringCall = nullptr;
        PumpFor(300);  // the timers and the monitor of the released control must be gone
        EXPECT_EQ(control, nullptr);
        Host(400, 300);
    }
}

TEST_F(HostLifetime, SecondControlMadeAndDestroyedWhileTheFirstPlays)
{
    control->XLoop = TRUE;
    Load("video.avi");
    control->Play();
    const int cycles = CountFromEnvironment("CORVANE_SECOND_CONTROL_CYCLES", 5);
    ProcessFigures before;
    for (int cycle = 0; cycle <= cycles; ++cycle) {
        if (cycle == 1)
            before = ProcessFigures::Now();  // after one warm-up cycle
        OwnedControl second;
        AtlHost secondHost(200, 150);
        std::string why;
        ASSERT_TRUE(secondHost.Load(why)) << why;
        ASSERT_EQ(secondHost.Attach(second.unknown.Get()), S_OK);
        second->LoadMediaFile(TestMediaPathW("av.avi").c_str(), 0, TRUE);
        second->Play();
        PumpFor(100);
        if (cycle % 2)
            second->Stop();
        // The fake keeps every released object until it ends (for its reference report); its
        // record of calls at least is no memory of the control's.
        platform.Log().Clear();
    }
    PumpFor(300);
    const ProcessFigures after = ProcessFigures::Now();
    ProcessFigures::Print("second controls", before, after);
    const int ticks = Playing();
    EXPECT_TRUE(PumpUntil([&] { return Playing() > ticks + 3; }, 5000)) << "the first control still plays";
    EXPECT_EQ(control->engine.State(), GRAPH_RUNNING);
    // A leak grows with the cycles; a handle or two of the platform's caches does not.
    EXPECT_LE(after.threads, before.threads);
    EXPECT_LE(after.handles, before.handles + 3);
}

}  // namespace
