// Play, pause, stop, positions, seeking, rate, audio and frame stepping against fake platform objects.
#include "EngineFixture.h"

#include <cmath>
#include <limits>

namespace {

using PlaybackFake = FakeEngine;

constexpr REFERENCE_TIME kSecond = 10000000;

// The current position SetPositions was last given, as the fake logged it.
std::string LastSeekTarget() { return CallLog::Instance().Last("IMediaSeeking::SetPositions").args.at(0); }

TEST_F(PlaybackFake, PlayAndStopWithoutAGraphReportTheirMessages)
{
    EXPECT_EQ(engine.Play(), 0);
    EXPECT_TRUE(LastErrorIs("Can't play, no graph", E_FAIL));
    EXPECT_EQ(engine.Stop(), 0);
    EXPECT_TRUE(LastErrorIs("Can't stop, no graph", E_FAIL));
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
    EXPECT_EQ(engine.Pause(), 0);
}

TEST_F(PlaybackFake, PlayPlacesTheVideoAppliesTheVolumeAndRunsTheGraph)
{
    Inside(engine).volume() = 50;
    LoadAndPlay();
    RECT client = {};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(RectText(platform.Vmr().sourceRect), "{0,0,640,480}");
    EXPECT_EQ(RectText(platform.Vmr().destinationRect), RectText(client));
    EXPECT_EQ(Media().volume, -5000);
    EXPECT_EQ(Media().state, State_Running);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    EXPECT_EQ(Inside(engine).playbackFinished(), 0);
    EXPECT_TRUE(Inside(engine).frameStep());
}

TEST_F(PlaybackFake, FailingRunAnswersZeroWithTheStateAlreadyRunning)
{
    ASSERT_EQ(Load("clip.avi"), 1);
    platform.FailNext("IMediaControl::Run", E_UNEXPECTED);
    EXPECT_EQ(engine.Play(), 0);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    EXPECT_EQ(Inside(engine).playbackFinished(), 0);
}

TEST_F(PlaybackFake, StopRewindsAndHoldsTheGraphPausedAtTheStart)
{
    LoadAndPlay();
    Media().current = 3 * kSecond;
    EXPECT_EQ(engine.Stop(), 1);
    EXPECT_EQ(Media().current, 0);
    EXPECT_EQ(Media().state, State_Paused);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
    EXPECT_EQ(engine.PollPlayback(), 0);

    // Stopping what is stopped does nothing.
    const size_t stops = platform.Log().Count("IMediaControl::StopWhenReady");
    EXPECT_EQ(engine.Stop(), 1);
    EXPECT_EQ(platform.Log().Count("IMediaControl::StopWhenReady"), stops);
}

TEST_F(PlaybackFake, StopAnswersZeroWhenTheGraphRefusesToStopOrPause)
{
    LoadAndPlay();
    platform.FailNext("IMediaControl::StopWhenReady", E_FAIL);
    EXPECT_EQ(engine.Stop(), 0);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    platform.FailNext("IMediaControl::Pause", E_FAIL);
    EXPECT_EQ(engine.Stop(), 0);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);
}

TEST_F(PlaybackFake, PauseTogglesAndIsRefusedWhileStopped)
{
    ASSERT_EQ(Load("clip.avi"), 1);
    const size_t pauses = platform.Log().Count("IMediaControl::Pause");
    EXPECT_EQ(engine.Pause(), 0);
    EXPECT_EQ(platform.Log().Count("IMediaControl::Pause"), pauses);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);

    ASSERT_EQ(engine.Play(), 1);
    EXPECT_EQ(engine.Pause(), 1);
    EXPECT_EQ(engine.State(), GRAPH_PAUSED);
    EXPECT_EQ(Media().state, State_Paused);
    EXPECT_EQ(engine.Pause(), 1);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    EXPECT_EQ(Media().state, State_Running);

    platform.FailNext("IMediaControl::Pause", E_FAIL);
    EXPECT_EQ(engine.Pause(), 0);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
}

TEST_F(PlaybackFake, PollPlaybackGivesTheSliderPositionAndKeepsTheFinishedFlag)
{
    LoadAndPlay();
    Media().current = 5 * kSecond;
    EXPECT_EQ(engine.PollPlayback(), 500);
    EXPECT_EQ(engine.IsPlaybackFinished(), 0);
    Media().current = 9999999;  // 0.9999999 s of 10 s truncates to 99
    EXPECT_EQ(engine.PollPlayback(), 99);
    Media().current = Media().duration;
    EXPECT_EQ(engine.PollPlayback(), 1000);
    EXPECT_EQ(engine.IsPlaybackFinished(), 1);
    engine.SetPlaybackFinished(0);
    Media().current = 0;
    // Running and not yet moved: a start, so the flag stays down.
    EXPECT_EQ(engine.PollPlayback(), 0);
    EXPECT_EQ(engine.IsPlaybackFinished(), 0);
    ASSERT_EQ(engine.Pause(), 1);
    EXPECT_EQ(engine.PollPlayback(), 0);
    EXPECT_EQ(engine.IsPlaybackFinished(), 1);
    // Once raised, the flag is not lowered by a running graph at 0 either.
    ASSERT_EQ(engine.Pause(), 1);
    EXPECT_EQ(engine.PollPlayback(), 0);
    EXPECT_EQ(engine.IsPlaybackFinished(), 1);
}

TEST_F(PlaybackFake, PollPlaybackFailuresAndAZeroDurationDivideNothing)
{
    LoadAndPlay();
    Media().current = 5 * kSecond;
    platform.FailNext("IMediaSeeking::GetDuration", E_FAIL);
    EXPECT_EQ(engine.PollPlayback(), 0);
    EXPECT_EQ(Inside(engine).playbackFinished(), 0);
    platform.FailNext("IMediaSeeking::GetPositions", E_FAIL);
    EXPECT_EQ(engine.PollPlayback(), 0);
    platform.FailNext("IMediaSeeking::GetPositions", E_FAIL);
    EXPECT_EQ(engine.GetPosition(), 0.0);

    Media().duration = 0;
    EXPECT_EQ(engine.PollPlayback(), 0);
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
    EXPECT_EQ(engine.GetPosition(), 0.0);
}

TEST_F(PlaybackFake, PositionIsTheDurationAtTheStartAndAtTheEnd)
{
    LoadAndPlay();
    EXPECT_DOUBLE_EQ(engine.GetDuration(), 10.0);
    Media().current = 25000000;
    EXPECT_DOUBLE_EQ(engine.GetPosition(), 2.5);
    EXPECT_EQ(Inside(engine).playbackFinished(), 0);
    Media().current = 0;
    EXPECT_DOUBLE_EQ(engine.GetPosition(), 10.0);
    EXPECT_EQ(Inside(engine).playbackFinished(), 0);  // running, so 0 is a start
    ASSERT_EQ(engine.Stop(), 1);
    EXPECT_DOUBLE_EQ(engine.GetPosition(), 10.0);
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
    Media().current = Media().duration + 1;
    EXPECT_DOUBLE_EQ(engine.GetPosition(), 10.0);
    platform.FailNext("IMediaSeeking::GetDuration", E_FAIL);
    EXPECT_EQ(engine.GetDuration(), 0.0);
}

TEST_F(PlaybackFake, SetPositionTruncatesSecondsAndRestartsARunningGraph)
{
    LoadAndPlay();
    Media().duration = 60 * kSecond;
    platform.Log().Clear();
    EXPECT_EQ(engine.SetPosition(12.34567891), 1);
    CallRecord seek = platform.Log().Last("IMediaSeeking::SetPositions");
    EXPECT_EQ(seek.args.at(0), "123456789");
    EXPECT_EQ(seek.args.at(1), "5");
    EXPECT_EQ(seek.args.at(3), std::to_string(AM_SEEKING_NoPositioning));
    EXPECT_EQ(platform.Log().Sequence("IMediaControl::"),
              (std::vector<std::string>{"graph0 IMediaControl::GetState", "graph0 IMediaControl::Stop",
                                        "graph0 IMediaControl::Run"}));
    EXPECT_EQ(platform.Log().Last("IMediaControl::GetState").args.at(0), "0");
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);

    // Beyond the end and before the start land at the end and at the start.
    EXPECT_EQ(engine.SetPosition(70.0), 1);
    EXPECT_EQ(LastSeekTarget(), "600000000");
    EXPECT_EQ(engine.SetPosition(-1.5), 1);
    EXPECT_EQ(LastSeekTarget(), "0");
}

TEST_F(PlaybackFake, SetPositionRefusesWhatHasNoMediaTime)
{
    LoadAndPlay();
    const size_t seeks = platform.Log().Count("IMediaSeeking::SetPositions");
    EXPECT_EQ(engine.SetPosition(std::nan("")), 0);
    EXPECT_EQ(platform.Log().Count("IMediaSeeking::SetPositions"), seeks);
    EXPECT_EQ(engine.SetPosition(1e300), 1);
    EXPECT_EQ(LastSeekTarget(), "100000000");
    EXPECT_EQ(engine.SetPosition(-1e300), 1);
    EXPECT_EQ(LastSeekTarget(), "0");
}

// A platform reporting a position outside the media: the slider answer stays on its scale.
TEST_F(PlaybackFake, SliderAnswerStaysOnItsScale)
{
    LoadAndPlay();
    const struct { LONGLONG position; int slider; } cases[] = {
        {10 * kSecond + 120000, 1000},  // a little past the end, as the platform reports near it
        {10000000LL * 1000000000LL, 1000},
        {-kSecond, 0},
        {std::numeric_limits<LONGLONG>::min(), 0},
        {5 * kSecond, 500},
    };
    for (const auto& c : cases) {
        Media().current = c.position;
        EXPECT_EQ(engine.PollPlayback(), c.slider) << c.position;
    }
}

TEST_F(PlaybackFake, FailingSeekLeavesTheGraphStoppedAndTheStateRunning)
{
    LoadAndPlay();
    platform.FailNext("IMediaSeeking::SetPositions", E_FAIL);
    EXPECT_EQ(engine.SetPosition(1.0), 0);
    EXPECT_EQ(Media().state, State_Stopped);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    platform.FailNext("IMediaSeeking::GetDuration", E_FAIL);
    EXPECT_EQ(engine.SetPosition(1.0), 0);
}

TEST_F(PlaybackFake, SliderPositionsScaleTheDurationAndClampToIt)
{
    ASSERT_EQ(Load("clip.avi"), 1);
    Media().duration = 60 * kSecond;
    engine.SetSliderPosition(250);
    EXPECT_EQ(Media().current, 15 * kSecond);
    EXPECT_EQ(platform.Log().Last("IMediaSeeking::SetPositions").args.at(1), "5");
    engine.SetSliderPosition(5000);
    EXPECT_EQ(Media().current, 60 * kSecond);
    engine.SetSliderPosition(0);
    EXPECT_EQ(Media().current, 0);
    engine.SetSliderPosition(-1);  // taken as 4294967295
    EXPECT_EQ(Media().current, 60 * kSecond);
    engine.SetSliderPosition(333);
    EXPECT_EQ(Media().current, 199800000);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);
    EXPECT_EQ(platform.Log().Count("IMediaControl::Run"), 0u);
}

TEST_F(PlaybackFake, LargeSliderValuesOnLongMediaStillSeekToTheEnd)
{
    ASSERT_EQ(Load("clip.avi"), 1);
    // Two hours: 4294967295 x 72e9 does not fit in 64 bits.
    Media().duration = 7200 * kSecond;
    engine.SetSliderPosition(-1);
    EXPECT_EQ(Media().current, 7200 * kSecond);
    engine.SetSliderPosition(std::numeric_limits<LONG>::min());
    EXPECT_EQ(Media().current, 7200 * kSecond);
    engine.SetSliderPosition(999);
    EXPECT_EQ(Media().current, 7192800000LL * 10);
}

TEST_F(PlaybackFake, SliderSeekWhileRunningRunsAgainOnlyAfterASuccessfulSeek)
{
    LoadAndPlay();
    platform.Log().Clear();
    engine.SetSliderPosition(500);
    EXPECT_EQ(Media().current, 5 * kSecond);
    EXPECT_EQ(platform.Log().Sequence("IMediaControl::"),
              (std::vector<std::string>{"graph0 IMediaControl::GetState", "graph0 IMediaControl::Stop",
                                        "graph0 IMediaControl::Run"}));
    platform.Log().Clear();
    platform.FailNext("IMediaSeeking::SetPositions", E_FAIL);
    engine.SetSliderPosition(100);
    EXPECT_EQ(platform.Log().Sequence("IMediaControl::"),
              (std::vector<std::string>{"graph0 IMediaControl::GetState", "graph0 IMediaControl::Stop"}));
}

// A seek into a paused graph with sound can hang the platform's next Stop: the graph is stopped
// for the seek and paused again, whether the engine paused it or holds it paused after Stop.
TEST_F(PlaybackFake, SeeksIntoAPausedGraphAreMadeStoppedAndPauseItAgain)
{
    LoadAndPlay();
    ASSERT_EQ(engine.Pause(), 1);
    const std::vector<std::string> stopSeekPause = {"graph0 IMediaControl::GetState", "graph0 IMediaControl::Stop",
                                                    "graph0 IMediaSeeking::SetPositions", "graph0 IMediaControl::Pause"};
    auto sequence = [&] {
        std::vector<std::string> calls;
        for (const std::string& call : platform.Log().Sequence("IMedia"))
            if (call.find("GetDuration") == std::string::npos)
                calls.push_back(call);
        return calls;
    };
    for (int stopped : {0, 1}) {
        if (stopped) {
            ASSERT_EQ(engine.Stop(), 1);
        }
        platform.Log().Clear();
        engine.SetSliderPosition(500);
        EXPECT_EQ(sequence(), stopSeekPause) << "stopped " << stopped;
        EXPECT_EQ(Media().current, 5 * kSecond);
        platform.Log().Clear();
        platform.FailNext("IMediaSeeking::SetPositions", E_FAIL);
        EXPECT_EQ(engine.SetPosition(1.0), 0);
        EXPECT_EQ(sequence(), stopSeekPause) << "a failed seek pauses again too";
        EXPECT_EQ(Media().state, State_Paused);
    }
    // A graph that is really stopped is sought as it is.
    Media().state = State_Stopped;
    platform.Log().Clear();
    ASSERT_EQ(engine.SetPosition(2.0), 1);
    EXPECT_EQ(sequence(), (std::vector<std::string>{"graph0 IMediaControl::GetState",
                                                    "graph0 IMediaSeeking::SetPositions"}));
    // Closing stops the graph a stopped engine holds paused before letting it go.
    Media().state = State_Paused;
    ASSERT_EQ(engine.State(), GRAPH_STOPPED);
    platform.Log().Clear();
    engine.CloseGraph();
    EXPECT_EQ(platform.Log().Count("IMediaControl::Stop"), 1u);
}

TEST_F(PlaybackFake, OnlyHalfNormalAndDoubleRatesAreAccepted)
{
    LoadAndPlay();
    platform.Log().Clear();
    engine.SetPlaybackRate(1.5);
    engine.SetPlaybackRate(0.50000001);
    EXPECT_EQ(platform.Log().Count("IMediaSeeking::SetRate"), 0u);
    EXPECT_DOUBLE_EQ(engine.GetPlaybackRate(), 1.0);

    platform.Log().Clear();
    engine.SetPlaybackRate(2.0);
    EXPECT_DOUBLE_EQ(Media().rate, 2.0);
    EXPECT_EQ(platform.Log().Sequence("I"), (std::vector<std::string>{"graph0 IMediaSeeking::SetRate",
                                                                        "graph0 IMediaControl::Run"}));
    EXPECT_DOUBLE_EQ(engine.GetPlaybackRate(), 2.0);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    engine.SetPlaybackRate(0.5);
    EXPECT_DOUBLE_EQ(engine.GetPlaybackRate(), 0.5);

    platform.FailNext("IMediaSeeking::GetRate", E_FAIL);
    EXPECT_EQ(engine.GetPlaybackRate(), 0.0);
}

TEST_F(PlaybackFake, VolumeMapsToAttenuationAndIgnoresValuesOutOfRange)
{
    engine.SetAudioVolume(40);  // no graph yet: ignored
    EXPECT_EQ(Inside(engine).volume(), 100);
    LoadAndPlay();
    engine.SetAudioVolume(50);
    EXPECT_EQ(Media().volume, -5000);
    EXPECT_EQ(engine.GetAudioVolume(), 50);
    engine.SetAudioVolume(101);
    engine.SetAudioVolume(-1);
    EXPECT_EQ(Media().volume, -5000);
    EXPECT_EQ(Inside(engine).volume(), 50);
    engine.SetAudioVolume(0);
    EXPECT_EQ(Media().volume, -10000);
    engine.SetAudioVolume(100);
    EXPECT_EQ(Media().volume, 0);

    engine.MuteAudio();
    EXPECT_EQ(Media().volume, -10000);
    EXPECT_EQ(Inside(engine).volume(), 100);
    engine.ApplyVolume();
    EXPECT_EQ(Media().volume, 0);
}

TEST_F(PlaybackFake, BalanceGoesToThePlatformUnchanged)
{
    LoadAndPlay();
    EXPECT_EQ(engine.SetAudioBalance(-2500), 1);
    EXPECT_EQ(Media().balance, -2500);
    EXPECT_EQ(engine.GetAudioBalance(), -2500);
    EXPECT_EQ(engine.SetAudioBalance(20000), 0);  // the platform refuses it
    EXPECT_EQ(platform.Log().Last("IBasicAudio::put_Balance").args.at(0), "20000");
    platform.FailNext("IBasicAudio::get_Balance", E_FAIL);
    EXPECT_EQ(engine.GetAudioBalance(), 0);
}

TEST_F(PlaybackFake, UnreadableVolumeAtPlayTurnsAudioOffUntilTheNextGraph)
{
    ASSERT_EQ(Load("clip.avi"), 1);
    platform.FailNext("IBasicAudio::get_Volume", E_NOTIMPL);
    ASSERT_EQ(engine.Play(), 1);
    EXPECT_FALSE(Inside(engine).basicAudio());
    EXPECT_EQ(engine.GetAudioVolume(), 0);
    const size_t puts = platform.Log().Count("IBasicAudio::put_Volume");
    engine.SetAudioVolume(30);
    engine.MuteAudio();
    engine.ApplyVolume();
    EXPECT_EQ(engine.SetAudioBalance(100), 0);
    EXPECT_EQ(engine.GetAudioBalance(), 0);
    EXPECT_EQ(platform.Log().Count("IBasicAudio::put_Volume"), puts);
    EXPECT_EQ(platform.Log().Count("IBasicAudio::put_Balance"), 0u);
    EXPECT_EQ(Inside(engine).volume(), 30);

    engine.CloseGraph();
    ASSERT_EQ(Load("clip.avi"), 1);
    EXPECT_EQ(engine.GetAudioVolume(), 30);
}

TEST_F(PlaybackFake, StepFrameAnswersRefusalsAndPausesARunningGraphFirst)
{
    EXPECT_EQ(engine.StepFrame(1), 0);  // no frame stepper
    LoadAndPlay();
    ASSERT_TRUE(Inside(engine).frameStep());

    Media().canStep = S_FALSE;
    platform.Log().Clear();
    EXPECT_EQ(engine.StepFrame(3), S_FALSE);
    EXPECT_EQ(platform.Log().Last("IVideoFrameStep::CanStep").args.at(0), "3");
    EXPECT_EQ(platform.Log().Count("IVideoFrameStep::Step"), 0u);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    Media().canStep = VFW_E_WRONG_STATE;
    EXPECT_EQ(engine.StepFrame(3), VFW_E_WRONG_STATE);

    Media().canStep = S_OK;
    Media().current = 0;
    platform.Log().Clear();
    EXPECT_EQ(engine.StepFrame(2), S_OK);
    EXPECT_EQ(platform.Log().Sequence("I"),
              (std::vector<std::string>{"graph0 IVideoFrameStep::CanStep", "graph0 IMediaControl::Pause",
                                        "graph0 IVideoFrameStep::Step"}));
    EXPECT_EQ(platform.Log().Last("IVideoFrameStep::Step").args.at(0), "2");
    EXPECT_EQ(engine.State(), GRAPH_PAUSED);
    EXPECT_EQ(Media().current, 2 * Media().frameTime);

    // Already paused: no second pause.
    platform.Log().Clear();
    EXPECT_EQ(engine.StepFrame(1), S_OK);
    EXPECT_EQ(platform.Log().Count("IMediaControl::Pause"), 0u);
}

TEST_F(PlaybackFake, GraphsThatCannotStepGetNoFrameStepper)
{
    platform.defaults.graph.canStep = E_NOTIMPL;
    LoadAndPlay();
    EXPECT_FALSE(Inside(engine).frameStep());
    EXPECT_EQ(engine.StepFrame(1), 0);
}

TEST_F(PlaybackFake, SoundOnlyMediaHasNoVideoAndNeedsNoFrameStepper)
{
    platform.defaults.graph.sourcePins = {{L"Audio", MEDIATYPE_Audio}};
    EXPECT_TRUE(engine.HasNoVideo());
    LoadAndPlay("tone.wav");
    EXPECT_TRUE(engine.HasNoVideo());
    EXPECT_EQ(platform.Log().Count("IVideoFrameStep::CanStep"), 0u);
    EXPECT_FALSE(Inside(engine).frameStep());
}

}  // namespace
