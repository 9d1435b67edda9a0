// The effect timer on real timers: the control in place in Wine's ATL container, its OnPlaying
// events caught by a sink, and its engine on the fake platform so that each strobe step shows as
// a mixer call with the time it was made.
#include "support/OleTest.h"

#include <chrono>
#include <memory>
#include <vector>

#include "CorvaneIds.h"
#include "OwnedControl.h"
#include "fakes/FakePlatform.h"
#include "support/AtlHost.h"
#include "EventSink.h"
#include "support/TestImages.h"
#include "support/WideText.h"
#include "engine/EngineInternals.h"

using Microsoft::WRL::ComPtr;
using Clock = std::chrono::steady_clock;

namespace {

long Milliseconds(Clock::duration span)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(span).count());
}

class EffectTimerHosted : public OleTest
{
protected:
    FakePlatform platform;
    std::unique_ptr<OwnedControl> control;
    std::unique_ptr<AtlHost> host;
    EventSink sink{DIID__DCorvaneEvents};
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    std::vector<Clock::time_point> ticks;  // each OnPlaying, fired as a tick starts
    std::vector<Clock::time_point> steps;  // each change of the overlay's live parameters

    void SetUp() override
    {
        OleTest::SetUp();
        effectFlags = 0;
        control = std::make_unique<OwnedControl>();
        host = std::make_unique<AtlHost>(320, 240);
        std::string why;
        ASSERT_TRUE(host->Load(why)) << why;
        ASSERT_EQ(host->Attach(control->unknown.Get()), S_OK);
        ASSERT_NE((*control)->GetControlWindow(), nullptr);

        platform.defaults.vmr.sizeWithoutVideo = true;
        CVMR9Graph& engine = (*control)->engine;
        ASSERT_EQ(engine.SetVideoWindow(host->Window()), 1);
        ASSERT_EQ(engine.BuildGraph(), 1) << engine.LastError();
        (*control)->SetOverlayBitmap(Widened(test_images::Bmp()).c_str(), 0, 0, 320, 240, 100);
        ASSERT_TRUE(Inside(engine).overlaySurface()) << engine.LastError();

        ASSERT_EQ(control->As<IConnectionPointContainer>()->FindConnectionPoint(DIID__DCorvaneEvents, &point), S_OK);
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
        sink.duringCall = [this] { ticks.push_back(Clock::now()); };
        platform.OnCall("IVMRMixerBitmap9::UpdateAlphaBitmapParameters",
                        [this](const CallRecord&) { steps.push_back(Clock::now()); });
    }

    void TearDown() override
    {
        if (point)
            point->Unadvise(cookie);
        point.Reset();
        host.reset();
        control.reset();
        effectFlags = 0;
        OleTest::TearDown();
    }

    // Runs the thread's messages, timer ticks included, one at a time for the given time: a tick
    // that sleeps as long as the period finds the next one already due.
    static void Pump(std::chrono::milliseconds span)
    {
        const Clock::time_point end = Clock::now() + span;
        MSG message;
        while (Clock::now() < end) {
            if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            else
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
};

TEST_F(EffectTimerHosted, StrobeTicksAtTheEffectSpeedSleepingBeforeEachStep)
{
    (*control)->XEffectSpeed = 125;
    (*control)->StrobeEffect();
    EXPECT_EQ((*control)->effectTimerId, CCorvaneCtrl::kEffectTimer);
    Pump(std::chrono::milliseconds(1300));
    (*control)->KillEffectTimer();

    // Only the effect timer runs: each tick fires OnPlaying, sleeps 125 ms, then steps.
    ASSERT_GE(ticks.size(), 4u);
    ASSERT_LE(ticks.size(), 11u);
    ASSERT_GE(steps.size(), ticks.size() - 1);
    for (size_t i = 0; i + 1 < ticks.size() && i < steps.size(); ++i) {
        SCOPED_TRACE("tick " + std::to_string(i));
        EXPECT_GE(Milliseconds(steps[i] - ticks[i]), 115) << "the pause comes before the step";
        EXPECT_LE(steps[i], ticks[i + 1]);
        EXPECT_GE(Milliseconds(ticks[i + 1] - ticks[i]), 115);
    }
}

TEST_F(EffectTimerHosted, SwitchingTheStrobeOffKeepsTheTimerAndItsOnPlaying)
{
    (*control)->XEffectSpeed = 60;
    (*control)->StrobeEffect();
    Pump(std::chrono::milliseconds(400));
    ASSERT_GT(steps.size(), 0u);

    (*control)->StrobeEffect();
    EXPECT_EQ(effectFlags & EFFECT_STROBE, 0);
    EXPECT_EQ((*control)->effectTimerId, CCorvaneCtrl::kEffectTimer);
    EXPECT_EQ(platform.Vmr().alphaBitmap.fAlpha, 1.0f) << "back at its home opacity";
    const size_t stepsWhenOff = steps.size();
    const size_t ticksWhenOff = ticks.size();
    Pump(std::chrono::milliseconds(400));
    EXPECT_GE(ticks.size(), ticksWhenOff + 2) << "the timer still ticks and fires OnPlaying";
    EXPECT_EQ(steps.size(), stepsWhenOff) << "but makes no step";
    (*control)->KillEffectTimer();
}

TEST_F(EffectTimerHosted, AHiddenOverlayTicksOnWithoutSteps)
{
    (*control)->XEffectSpeed = 60;
    (*control)->StrobeEffect();
    (*control)->DisableOverlayBitmap();
    ASSERT_NE(effectFlags & OVERLAY_DISABLED, 0);
    const size_t stepsWhenHidden = steps.size();  // the hide itself is one change
    Pump(std::chrono::milliseconds(400));
    EXPECT_GE(ticks.size(), 2u) << "the timer still ticks and fires OnPlaying";
    EXPECT_EQ(steps.size(), stepsWhenHidden) << "but steps nothing while the overlay is hidden";
    (*control)->KillEffectTimer();
}

}  // namespace
