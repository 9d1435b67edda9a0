// Loading the generated clips into layers on the real platform under Wine: no fakes.
#include "RealEngineFixture.h"

#include "support/RunningObjects.h"
#include "engine/EngineInternals.h"
#include "FilterPins.h"

namespace {

using LoadingReal = RealEngineTest;

TEST_F(LoadingReal, FirstLoadBuildsTheGraphOnceAndTheNextLayerReusesIt)
{
    EXPECT_TRUE(RunningGraphNames().empty());
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    IUnknown* graph = Inside(engine).graph().Get();
    EXPECT_EQ(RunningGraphNames().size(), 1u);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);

    ASSERT_EQ(Load("av.mp4", 7), 1) << engine.LastError();
    EXPECT_EQ(Inside(engine).graph().Get(), graph);
    EXPECT_EQ(RunningGraphNames().size(), 1u);
    EXPECT_TRUE(HasFilter("SRC00")) << Describe();
    EXPECT_TRUE(HasFilter("DirectSound"));
    EXPECT_TRUE(HasFilter("SRC07"));
    EXPECT_TRUE(HasFilter("DirectSound7"));
    EXPECT_TRUE(Inside(engine).soundRenderers()[0] && Inside(engine).soundRenderers()[7]) << Describe();
    EXPECT_EQ(engine.LayerFileName(7), TestMediaPathW("av.mp4"));
    EXPECT_EQ(engine.GetVideoWidth(), 320);
    EXPECT_FALSE(engine.HasNoVideo());
}

TEST_F(LoadingReal, FileWithoutSoundLeavesTheRendererSlotEmpty)
{
    ASSERT_EQ(Load("video.avi", 0), 1) << engine.LastError();
    EXPECT_FALSE(Inside(engine).soundRenderers()[0]);
    EXPECT_FALSE(HasFilter("DirectSound")) << Describe();
    EXPECT_TRUE(HasFilter("VMR9"));
}

TEST_F(LoadingReal, SoundOnlyFilesHaveNoPicture)
{
    ASSERT_EQ(Load("sound.wav", 0), 1) << engine.LastError();
    EXPECT_TRUE(Inside(engine).soundRenderers()[0]);
    EXPECT_TRUE(engine.HasNoVideo());
    ASSERT_EQ(Load("sound.mp3", 1), 1) << engine.LastError();
    EXPECT_TRUE(Inside(engine).soundRenderers()[1]) << Describe();
    EXPECT_GT(engine.GetDuration(), 1.9);
}

TEST_F(LoadingReal, NoSoundWantedOnTheFirstLoadRemovesTheRendererAndTheVideoStillPlays)
{
    ASSERT_EQ(Load("av.avi", 0, FALSE), 1) << engine.LastError();
    EXPECT_FALSE(HasFilter("DirectSound")) << Describe();
    EXPECT_TRUE(InGraph(Inside(engine).vmrFilter().Get()));
    EXPECT_TRUE(InGraph(Inside(engine).sourceFilters()[0].Get()));
    EXPECT_FALSE(engine.HasNoVideo());
    ASSERT_EQ(engine.Play(), 1) << engine.LastError();
    EXPECT_TRUE(WaitFor([&] { return engine.PollPlayback() > 0; })) << Describe();
    EXPECT_EQ(GraphState(), State_Running);
}

TEST_F(LoadingReal, ReloadReplacesTheOldChainAndLeavesTheMixerAndOtherLayers)
{
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    ASSERT_EQ(Load("video.avi", 1), 1) << engine.LastError();
    Microsoft::WRL::ComPtr<IBaseFilter> oldSource = Inside(engine).sourceFilters()[0];
    Microsoft::WRL::ComPtr<IBaseFilter> oldRenderer = Inside(engine).soundRenderers()[0];
    IBaseFilter* otherSource = Inside(engine).sourceFilters()[1].Get();
    IBaseFilter* mixer = Inside(engine).vmrFilter().Get();
    const size_t filtersBefore = Filters().size();

    ASSERT_EQ(Load("av.mp4", 0), 1) << engine.LastError();
    EXPECT_FALSE(InGraph(oldSource.Get()));
    EXPECT_FALSE(InGraph(oldRenderer.Get()));
    EXPECT_TRUE(InGraph(mixer));
    EXPECT_EQ(Inside(engine).vmrFilter().Get(), mixer);
    EXPECT_TRUE(InGraph(otherSource));
    EXPECT_EQ(Inside(engine).sourceFilters()[1].Get(), otherSource);
    EXPECT_TRUE(Inside(engine).soundRenderers()[0]);
    EXPECT_EQ(Filters().size(), filtersBefore) << Describe();
    EXPECT_EQ(engine.LayerFileName(0), TestMediaPathW("av.mp4"));
}

TEST_F(LoadingReal, LoadingWhilePlayingOrPausedLeavesTheGraphStoppedAtTheStart)
{
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    for (bool paused : {false, true}) {
        ASSERT_EQ(engine.Play(), 1);
        ASSERT_TRUE(WaitFor([&] { return CurrentPosition() > 0; }));
        if (paused) {
            ASSERT_EQ(engine.Pause(), 1);
        }
        IBaseFilter* first = Inside(engine).sourceFilters()[0].Get();
        ASSERT_EQ(Load("video.avi", paused ? 2 : 1), 1) << engine.LastError();
        EXPECT_EQ(engine.State(), GRAPH_STOPPED);
        EXPECT_EQ(engine.IsPlaybackFinished(), 1);
        EXPECT_EQ(GraphState(), State_Stopped);
        EXPECT_EQ(CurrentPosition(), 0);
        EXPECT_TRUE(InGraph(first) && InGraph(Inside(engine).soundRenderers()[0].Get())) << Describe();
        Sleep(300);
        EXPECT_EQ(CurrentPosition(), 0);
    }
}

TEST_F(LoadingReal, BadNamesGiveTheirMessages)
{
    engine.SetVideoWindow(window.Handle());
    EXPECT_EQ(engine.SetMediaFile(static_cast<const char*>(nullptr), 0, TRUE), 0);
    EXPECT_NE(std::string(engine.LastError()).find("Could not load a file with an empty file name : COM Error 0x80070057"),
              std::string::npos)
        << engine.LastError();

    EXPECT_EQ(Load("notmedia.avi", 0), 0);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);
    EXPECT_FALSE(Inside(engine).sourceFilters()[0]);
    // Wine hands any existing file a source filter; only rendering it finds it is not media.
    EXPECT_NE(std::string(engine.LastError()).find("Could not find a source filter for this file : COM Error 0x80040218"),
              std::string::npos) << engine.LastError();
    EXPECT_EQ(FilterNames(), std::vector<std::string>{"VMR9"}) << Describe();

    // A reload that fails empties the layer and its name.
    ASSERT_EQ(Load("video.avi", 0), 1) << engine.LastError();
    EXPECT_EQ(Load("notmedia.avi", 0), 0);
    EXPECT_NE(std::string(engine.LastError()).find("Could not load the file : COM Error 0x80040218"), std::string::npos)
        << engine.LastError();
    EXPECT_FALSE(Inside(engine).sourceFilters()[0]);
    EXPECT_EQ(engine.LayerFileName(0), L"");
    EXPECT_EQ(FilterNames(), std::vector<std::string>{"VMR9"}) << Describe();

    // A file that does not exist fails at the source filter already.
    EXPECT_EQ(Load("nothere.avi", 1), 0);
    EXPECT_NE(std::string(engine.LastError()).find("Could not find a source filter for this file : COM Error 0x80070002"),
              std::string::npos) << engine.LastError();
}

struct WindowSearch
{
    HWND own;
    std::vector<std::string> found;
};

BOOL CALLBACK NoteOtherWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[128] = {};
    GetClassNameA(window, className, sizeof className);
    // Every thread with windows has a hidden input-method window of the system's.
    if (process == GetCurrentProcessId() && window != search.own && std::string(className) != "IME") {
        char title[128] = {};
        GetWindowTextA(window, title, sizeof title);
        search.found.push_back(std::string(className) + " \"" + title + "\"" +
                               (IsWindowVisible(window) ? " visible" : " hidden"));
    }
    return TRUE;
}

// The top-level windows of this process other than `own`, by class and title.
std::vector<std::string> OtherTopLevelWindows(HWND own)
{
    WindowSearch search = {own, {}};
    EnumWindows(NoteOtherWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Wine's VMR-9 offers one input: the builder would give the second layer's picture a video
// renderer, and a window, of its own.
TEST_F(LoadingReal, APictureTheMixerCannotTakeOpensNoWindowAndTheLayerKeepsItsSound)
{
    ASSERT_EQ(Load("av.avi", 0), 1) << engine.LastError();
    ASSERT_EQ(Load("av.mp4", 1), 1) << engine.LastError();
    ASSERT_EQ(engine.Play(), 1);
    TestWindow::PumpMessages();
    EXPECT_EQ(OtherTopLevelWindows(window.Handle()), std::vector<std::string>{}) << Describe();
    ASSERT_TRUE(Inside(engine).soundRenderers()[1]) << Describe();
    EXPECT_TRUE(InGraph(Inside(engine).soundRenderers()[1].Get()));
    Microsoft::WRL::ComPtr<IPin> unconnected;
    EXPECT_EQ(FindUnconnectedPin(Inside(engine).soundRenderers()[1].Get(), PINDIR_INPUT, &unconnected), E_FAIL);
    EXPECT_NE(std::string(engine.LastError()).find("Could not mix the video of this layer, the VMR9 has no free input"),
              std::string::npos) << engine.LastError();
}

}  // namespace
