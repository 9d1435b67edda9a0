// Playback of the generated 2 s clips on the real platform under Wine: no fakes.
#include "RealEngineFixture.h"
#include "engine/EngineInternals.h"

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace {

using PlaybackReal = RealEngineTest;

constexpr REFERENCE_TIME kSecond = 10000000;

TEST_F(PlaybackReal, PlaysToTheNaturalEndAndReportsTheEnd)
{
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    const double duration = engine.GetDuration();
    ASSERT_GT(duration, 1.9);
    ASSERT_LT(duration, 2.1);
    // Paused at the start, a position is reported as the duration.
    EXPECT_DOUBLE_EQ(engine.GetPosition(), duration);

    ASSERT_EQ(engine.Play(), 1) << engine.LastError();
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    EXPECT_EQ(GraphState(), State_Running);
    int lastPoll = -1;
    ASSERT_TRUE(WaitFor([&] {
        lastPoll = engine.PollPlayback();
        return engine.IsPlaybackFinished() == 1;
    }))
        << "poll " << lastPoll << " at " << CurrentPosition();
    REFERENCE_TIME end = 0, stop = 0;
    Inside(engine).mediaSeeking()->GetPositions(&end, &stop);
    REFERENCE_TIME length = 0;
    Inside(engine).mediaSeeking()->GetDuration(&length);
    // The platform reports the end at or a little past the duration; the answer stays at 1000.
    EXPECT_GE(end, length);
    EXPECT_EQ(lastPoll, 1000);
    EXPECT_DOUBLE_EQ(engine.GetPosition(), duration);
    EXPECT_EQ(engine.GetPositionHHMMSS(), "00:00:02");

    EXPECT_EQ(engine.Stop(), 1);
    EXPECT_EQ(CurrentPosition(), 0);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);
    EXPECT_EQ(GraphState(), State_Paused);
    EXPECT_EQ(engine.PollPlayback(), 0);
    EXPECT_EQ(engine.IsPlaybackFinished(), 1);
}

TEST_F(PlaybackReal, SeeksInSecondsAndOnTheSliderScale)
{
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    REFERENCE_TIME duration = 0;
    ASSERT_EQ(Inside(engine).mediaSeeking()->GetDuration(&duration), S_OK);

    ASSERT_EQ(engine.SetPosition(1.0), 1);
    EXPECT_EQ(CurrentPosition(), kSecond);
    const int halfway = engine.PollPlayback();
    EXPECT_GE(halfway, 480);
    EXPECT_LE(halfway, 520);
    EXPECT_EQ(engine.IsPlaybackFinished(), 0);
    EXPECT_EQ(engine.GetPositionHHMMSS(), "00:00:01");
    EXPECT_NEAR(engine.GetPosition(), 1.0, 1e-9);

    engine.SetSliderPosition(250);
    EXPECT_EQ(CurrentPosition(), duration / 4);
    engine.SetSliderPosition(5000);
    EXPECT_EQ(CurrentPosition(), duration);
    engine.SetSliderPosition(0);
    EXPECT_EQ(CurrentPosition(), 0);
    engine.SetSliderPosition(-1);
    EXPECT_EQ(CurrentPosition(), duration);
    EXPECT_EQ(engine.GetDurationHHMMSS(), "00:00:02");

    // Seconds outside the media land inside it: the slider once answered -500 and -1430395049.
    ASSERT_EQ(engine.SetPosition(-1.0), 1);
    EXPECT_EQ(CurrentPosition(), 0);
    EXPECT_EQ(engine.PollPlayback(), 0);
    ASSERT_EQ(engine.SetPosition(1e9), 1);
    EXPECT_EQ(CurrentPosition(), duration);
    EXPECT_EQ(engine.PollPlayback(), 1000);
}

TEST_F(PlaybackReal, PauseTogglesAndRateChangesKeepTheGraphRunning)
{
    ASSERT_EQ(Load("av.mp4", 0), 1) << engine.LastError();
    EXPECT_EQ(engine.Pause(), 0);
    engine.SetPlaybackRate(1.5);
    EXPECT_DOUBLE_EQ(engine.GetPlaybackRate(), 1.0);

    ASSERT_EQ(engine.Play(), 1);
    EXPECT_EQ(engine.Pause(), 1);
    EXPECT_EQ(GraphState(), State_Paused);
    EXPECT_EQ(engine.Pause(), 1);
    EXPECT_EQ(GraphState(), State_Running);

    engine.SetPlaybackRate(2.0);
    // Wine 8 takes the rate (S_OK) yet goes on answering 1.0: the engine reports what the
    // graph answers.
    double graphRate = 0.0;
    ASSERT_EQ(Inside(engine).mediaSeeking()->GetRate(&graphRate), S_OK);
    EXPECT_DOUBLE_EQ(engine.GetPlaybackRate(), graphRate);
    EXPECT_EQ(engine.State(), GRAPH_RUNNING);
    EXPECT_EQ(GraphState(), State_Running);
    // At twice the speed the 2 s clip still plays through to its end.
    EXPECT_TRUE(WaitFor([&] {
        engine.PollPlayback();
        return engine.IsPlaybackFinished() == 1;
    }));
}

TEST_F(PlaybackReal, VolumeBalanceAndMuteReachTheSilentSoundDevice)
{
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    ASSERT_EQ(engine.Play(), 1);
    ASSERT_TRUE(Inside(engine).basicAudio()) << "get_Volume failed at Play";
    long platformVolume = 1;

    engine.SetAudioVolume(50);
    ASSERT_EQ(Inside(engine).basicAudio()->get_Volume(&platformVolume), S_OK);
    EXPECT_EQ(platformVolume, -5000);
    EXPECT_EQ(engine.GetAudioVolume(), 50);
    engine.SetAudioVolume(101);
    engine.SetAudioVolume(-1);
    Inside(engine).basicAudio()->get_Volume(&platformVolume);
    EXPECT_EQ(platformVolume, -5000);
    EXPECT_EQ(engine.GetAudioVolume(), 50);

    engine.MuteAudio();
    Inside(engine).basicAudio()->get_Volume(&platformVolume);
    EXPECT_EQ(platformVolume, -10000);
    EXPECT_EQ(engine.GetAudioVolume(), 50);
    engine.ApplyVolume();
    Inside(engine).basicAudio()->get_Volume(&platformVolume);
    EXPECT_EQ(platformVolume, -5000);

    EXPECT_EQ(engine.SetAudioBalance(-3000), 1);
    EXPECT_EQ(engine.GetAudioBalance(), -3000);
    EXPECT_EQ(engine.SetAudioBalance(3000), 1);
    EXPECT_EQ(engine.GetAudioBalance(), 3000);
}

TEST_F(PlaybackReal, FrameSteppingAsTheGraphAnswersIt)
{
    ASSERT_EQ(Load("video.avi", 0), 1) << engine.LastError();
    ASSERT_EQ(engine.Play(), 1);
    Microsoft::WRL::ComPtr<IVideoFrameStep> stepper;
    ASSERT_EQ(Inside(engine).graph().As(&stepper), S_OK);
    const HRESULT canStep = stepper->CanStep(0, nullptr);
    if (canStep == S_OK) {
        ASSERT_TRUE(Inside(engine).frameStep());
        EXPECT_EQ(engine.StepFrame(1), 0);
        EXPECT_EQ(engine.State(), GRAPH_PAUSED);
    } else {
        // Wine 8 answers E_NOTIMPL: no stepper is kept and a step is answered 0, changing nothing.
        EXPECT_FALSE(Inside(engine).frameStep());
        EXPECT_EQ(engine.StepFrame(1), 0);
        EXPECT_EQ(engine.State(), GRAPH_RUNNING);
        EXPECT_EQ(GraphState(), State_Running);
    }
}

// With a sound track, a seek into a graph that was really paused (the stopped engine's graph
// too) once made the platform's next Stop, or the graph's release, hang for ever. Each
// sequence ends by closing the graph, all within a time limit.
class SoundSeekReal : public RealEngineTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(SoundSeekReal, SeekingAPausedGraphNeverHangsWhatFollows)
{
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    REFERENCE_TIME duration = 0;
    ASSERT_EQ(Inside(engine).mediaSeeking()->GetDuration(&duration), S_OK);
    auto playThenStop = [&] {
        ASSERT_EQ(engine.Play(), 1);
        ASSERT_EQ(engine.Stop(), 1);
        engine.SetSliderPosition(399);
        // Paused again, at the new place.
        EXPECT_EQ(GraphState(), State_Paused);
        EXPECT_EQ(CurrentPosition(), 399 * duration / 1000);
    };
    const std::vector<std::pair<const char*, std::function<void()>>> sequences = {
        {"Play, Pause, seek, resume, Stop",
         [&] {
             ASSERT_EQ(engine.Play(), 1);
             ASSERT_EQ(engine.Pause(), 1);
             engine.SetSliderPosition(500);
             EXPECT_EQ(GraphState(), State_Paused);
             ASSERT_EQ(engine.Pause(), 1);
             EXPECT_EQ(GraphState(), State_Running);
             EXPECT_EQ(engine.Stop(), 1);
         }},
        {"Play, Stop, seek, load", [&] {
             playThenStop();
             EXPECT_EQ(Load("video.avi", 0), 1) << engine.LastError();
         }},
        {"Play, Stop, seek, Play, Stop", [&] {
             playThenStop();
             ASSERT_EQ(engine.Play(), 1);
             EXPECT_EQ(engine.Stop(), 1);
         }},
        {"Play, Stop, seek, close", playThenStop},
        {"natural end, Stop, seek, load", [&] {
             ASSERT_EQ(engine.Play(), 1);
             ASSERT_TRUE(WaitFor([&] {
                 engine.PollPlayback();
                 return engine.IsPlaybackFinished() == 1;
             }));
             ASSERT_EQ(engine.Stop(), 1);
             engine.SetSliderPosition(700);
             EXPECT_EQ(Load("av.avi", 0), 1) << engine.LastError();
         }},
    };
    const auto& sequence = sequences.at(static_cast<size_t>(GetParam()));
    WithinTimeLimit(sequence.first, [&] {
        sequence.second();
        engine.CloseGraph();
    });
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
}

INSTANTIATE_TEST_SUITE_P(Sequences, SoundSeekReal, ::testing::Range(0, 5));

}  // namespace
