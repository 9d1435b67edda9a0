// Playback of the control in place in Wine's ATL container with the real engine and generated
// clips: the ticks, the natural end with and without XLoop, Stop, Pause and command 1003, as a
// host's event sink sees them.
#include "HostedCorvane.h"

#include "fakes/FakePlatform.h"
#include "support/TestImages.h"
#include "engine/EngineInternals.h"

namespace {

class PlaybackHosted : public HostedCorvane
{
};

TEST_F(PlaybackHosted, TicksAboutTwentyTimesASecondWhilePlayingAndStopEndsThemSilently)
{
    Load("video.avi");
    control->Play();
    ASSERT_NE(control->playingTimerId, 0u);
    ASSERT_NE(control->finishTimerId, 0u);
    const int before = Playing();
    PumpFor(1000);
    const int perSecond = Playing() - before;
    EXPECT_GE(perSecond, 14);
    EXPECT_LE(perSecond, 24);

    control->Stop();
    const int atStop = Playing();
    PumpFor(400);
    EXPECT_EQ(Playing(), atStop);
    EXPECT_EQ(Finished(), 0);
    EXPECT_TRUE(NoTimerRuns());
    EXPECT_EQ(control->monitorThread, nullptr);
    EXPECT_EQ(control->engine.State(), GRAPH_STOPPED);
}

TEST_F(PlaybackHosted, NaturalEndFiresOneOnFinishAfterAnOnPlayingThenLeavesNothingRunning)
{
    Load("video.avi");
    control->Play();
    ASSERT_TRUE(PumpUntil([&] { return Finished() > 0; }, 4000)) << sink.Sequence();
    PumpFor(500);
    EXPECT_EQ(Finished(), 1);
    const std::string sequence = sink.Sequence();
    EXPECT_EQ(sequence.substr(sequence.size() - 4), " 1 2") << sequence;  // nothing after OnFinish
    EXPECT_TRUE(NoTimerRuns());
    EXPECT_TRUE(MonitorEnded());
    EXPECT_FALSE(control->finishPending);
    EXPECT_EQ(control->engine.State(), GRAPH_STOPPED);

    EXPECT_EQ(control->GetPosition(), 0.0);
    EXPECT_EQ(control->GetSliderPosition(), 0);
    EXPECT_EQ(control->GetPositionHHMMSS(), "");
    EXPECT_EQ(control->GetPlaybackRate(), 0.0);
    EXPECT_EQ(control->GetVideoWidth(), 0);
    EXPECT_EQ(control->GetVideoHeight(), 0);
    EXPECT_NEAR(control->GetDuration(), 2.0, 0.1);
    EXPECT_EQ(control->GetDurationHHMMSS(), "00:00:02");
}

TEST_F(PlaybackHosted, LoopRewindsAtTheEndWithoutOnFinishAndKeepsTicking)
{
    control->XLoop = TRUE;
    Load("video.avi");
    control->Play();
    PumpFor(2800);
    const int beforeLastSecond = Playing();
    PumpFor(800);
    EXPECT_EQ(Finished(), 0);
    EXPECT_GE(Playing() - beforeLastSecond, 10);
    EXPECT_EQ(control->engine.State(), GRAPH_RUNNING);
    EXPECT_FALSE(MonitorEnded());
    EXPECT_GT(control->GetSliderPosition(), 0);
}

TEST_F(PlaybackHosted, PauseSilencesTheTicksAndResumingStartsAllThreeTimers)
{
    Load("video.avi");
    control->Play();
    PumpFor(300);
    control->Pause();
    EXPECT_TRUE(NoTimerRuns());
    const int paused = Playing();
    PumpFor(500);
    EXPECT_EQ(Playing(), paused);
    EXPECT_FALSE(MonitorEnded());

    control->Pause();
    EXPECT_NE(control->playingTimerId, 0u);
    EXPECT_NE(control->finishTimerId, 0u);
    EXPECT_NE(control->effectTimerId, 0u);
    PumpFor(400);
    EXPECT_GE(Playing() - paused, 8);  // three timers now, the effect one at 125 ms
    EXPECT_EQ(Finished(), 0);
}

TEST_F(PlaybackHosted, PlayWithNothingLoadedOnlyMarksTheControlModified)
{
    control->SetModifiedFlag(false);
    control->Play();
    EXPECT_TRUE(control->IsModified());
    EXPECT_TRUE(NoTimerRuns());
    EXPECT_EQ(control->monitorThread, nullptr);
    EXPECT_FALSE(control->mediaReady);
    PumpFor(300);
    EXPECT_EQ(sink.Sequence(), "");
}

TEST_F(PlaybackHosted, PlayingAClipMarksTheControlModified)
{
    Load("video.avi");
    control->SetModifiedFlag(false);
    control->Play();
    ASSERT_EQ(control->engine.State(), GRAPH_RUNNING);
    EXPECT_TRUE(control->IsModified());
}

TEST_F(PlaybackHosted, CommandStopEndsPlaybackLikeTheEndButWithoutOnFinish)
{
    Load("video.avi");
    control->Play();
    PumpFor(300);
    SendMessageA(control->GetControlWindow(), WM_COMMAND, CCorvaneCtrl::kCommandStop, 0);
    const int atCommand = Playing();
    PumpFor(500);
    EXPECT_EQ(Finished(), 0);
    EXPECT_EQ(Playing(), atCommand);
    EXPECT_TRUE(NoTimerRuns());
    EXPECT_TRUE(MonitorEnded());
    EXPECT_FALSE(control->mediaReady);
    EXPECT_FALSE(control->finishPending);
    EXPECT_EQ(control->engine.State(), GRAPH_STOPPED);
}

// The picture's own Direct3D device must not share the renderer's window: two devices drawing
// into one child window bring the host down under Wine.
TEST_F(PlaybackHosted, AnOverlayPictureDuringPlaybackKeepsTheHostAlive)
{
    Load("video.avi");
    control->SetOverlayBitmap(Widened(test_images::Bmp()).c_str(), 0, 0, 160, 120, 100);
    ASSERT_TRUE(Inside(control->engine).overlaySurface()) << control->engine.LastError();
    control->Play();
    PumpFor(800);
    EXPECT_GE(Playing(), 8);
    EXPECT_EQ(control->engine.State(), GRAPH_RUNNING);
}

// The engine on the fake platform, whose position moves only when the test seeks.
class PlaybackHostedFake : public HostedCorvane
{
protected:
    FakePlatform platform;
};

TEST_F(PlaybackHostedFake, EndReachedWhilePausedStillGivesOneOnFinish)
{
    Load("video.avi");
    control->Play();
    control->Pause();
    control->SetPosition(control->GetDuration());
    ASSERT_TRUE(PumpUntil([&] { return Finished() > 0; }, 1000)) << sink.Sequence();
    PumpFor(300);
    EXPECT_EQ(Finished(), 1);
    EXPECT_TRUE(NoTimerRuns());
    EXPECT_TRUE(MonitorEnded());
    EXPECT_EQ(control->engine.State(), GRAPH_STOPPED);
}

TEST_F(PlaybackHostedFake, PlayRightAfterTheEndKeepsItsTimersAndFiresNoStaleOnFinish)
{
    Load("video.avi");
    control->Play();
    control->SetPosition(control->GetDuration());
    // Without pumping: the monitor's stop is done, its messages to the window wait unhandled.
    for (int waited = 0; !control->finishPending && waited < 1000; waited += 5)
        Sleep(5);
    ASSERT_TRUE(control->finishPending);
    control->Play();
    PumpFor(400);
    EXPECT_EQ(Finished(), 0);
    EXPECT_NE(control->playingTimerId, 0u);
    EXPECT_NE(control->finishTimerId, 0u);
    EXPECT_FALSE(MonitorEnded());
}

TEST_F(PlaybackHostedFake, PlayWhileTheMonitorIsAboutToStopAtTheEndKeepsTheGraphRunning)
{
    Load("video.avi");
    control->Play();
    const DWORD windowThread = GetCurrentThreadId();
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE ran = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    LONG holds = 0;
    platform.OnCall("IMediaControl::Run", [&](const CallRecord&) { SetEvent(ran); });
    // The monitor has taken the end and is on its way into the graph's stop: it is held there
    // with the engine let go, until a Play has run the graph (or a second has passed: a Play
    // that waits for the monitor first never runs the graph meanwhile).
    platform.OnCall("IMediaControl::StopWhenReady", [&](const CallRecord&) {
        if (GetCurrentThreadId() == windowThread || InterlockedIncrement(&holds) != 1)
            return;
        Inside(control->engine).engineLock().Leave();
        SetEvent(held);
        WaitForSingleObject(ran, 1000);
        Inside(control->engine).engineLock().Enter();
    });
    control->SetPosition(control->GetDuration());
    ASSERT_EQ(WaitForSingleObject(held, 2000), WAIT_OBJECT_0);
    const int ticks = Playing();
    control->Play();
    PumpFor(400);
    EXPECT_EQ(platform.Graph().settings.state, State_Running);
    EXPECT_EQ(control->engine.State(), GRAPH_RUNNING);
    EXPECT_GT(Playing(), ticks);
    EXPECT_EQ(Finished(), 0) << sink.Sequence();
    EXPECT_FALSE(MonitorEnded());
    platform.Log().ClearHooks();
    control->Stop();
    CloseHandle(held);
    CloseHandle(ran);
}

}  // namespace
