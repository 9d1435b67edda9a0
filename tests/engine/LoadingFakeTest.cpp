// Loading files into layers, rendering and the removal of sound chains, against fake platform objects.
#include "EngineFixture.h"
#include "FilterPins.h"

#include <algorithm>

namespace {

using LoadingFake = FakeEngine;

bool HasFilterNamed(FakeFilterGraph& graph, const wchar_t* name) { return graph.FindFilter(name) != nullptr; }

size_t CountNamed(FakeFilterGraph& graph, const std::wstring& name)
{
    std::vector<std::wstring> names = graph.FilterNames();
    return static_cast<size_t>(std::count(names.begin(), names.end(), name));
}

TEST_F(LoadingFake, FirstLoadBuildsAndRegistersTheGraphOnceAndNamesTheLayer)
{
    ASSERT_EQ(Load("C:\\media\\first.avi", 0), 1) << engine.LastError();
    ASSERT_EQ(Load("C:\\media\\second.avi", 7), 1) << engine.LastError();
    EXPECT_EQ(platform.Made("graph"), 1u);
    EXPECT_EQ(platform.Rot().Count(), 1u);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);

    FakeFilterGraph& graph = Graph();
    EXPECT_TRUE(HasFilterNamed(graph, L"SRC00"));
    EXPECT_TRUE(HasFilterNamed(graph, L"DirectSound"));
    EXPECT_TRUE(HasFilterNamed(graph, L"SRC07"));
    EXPECT_TRUE(HasFilterNamed(graph, L"DirectSound7"));
    EXPECT_EQ(platform.Log().Find("IGraphBuilder::AddSourceFilter").at(1).args.at(0), "\"C:\\media\\second.avi\"");
    EXPECT_EQ(engine.LayerFileName(0), L"C:\\media\\first.avi");
    EXPECT_EQ(engine.LayerFileName(7), L"C:\\media\\second.avi");
    // Each layer's sound reached its own renderer, so both are kept and connected.
    ASSERT_TRUE(Inside(engine).soundRenderers()[0] && Inside(engine).soundRenderers()[7]) << graph.Describe();
    EXPECT_EQ(graph.FindFilter(L"DirectSound7")->AsBaseFilter(), Inside(engine).soundRenderers()[7].Get());
    EXPECT_TRUE(graph.FindFilter(L"DirectSound7")->Pins().front()->IsConnected()) << graph.Describe();
}

TEST_F(LoadingFake, TheLayerRendererIsInTheGraphBeforeTheLayerIsRendered)
{
    ASSERT_EQ(Load("clip.avi", 3), 1);
    std::vector<std::string> order = platform.Log().Sequence("IGraphBuilder::");
    std::vector<CallRecord> adds = platform.Log().Find("IFilterGraph::AddFilter");
    ASSERT_FALSE(adds.empty());
    EXPECT_EQ(adds.back().args.at(1), "\"DirectSound3\"");
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order.front(), "graph0 IGraphBuilder::AddSourceFilter");
    const std::vector<CallRecord> all = platform.Log().All();
    auto added = std::find_if(all.begin(), all.end(), [](const CallRecord& call) {
        return call.method == "IFilterGraph::AddFilter" && call.args.at(1) == "\"DirectSound3\"";
    });
    auto rendered = std::find_if(all.begin(), all.end(),
                                 [](const CallRecord& call) { return call.method == "IGraphBuilder::Render"; });
    EXPECT_LT(added, rendered);
}

TEST_F(LoadingFake, LayersOutsideZeroToNineAreRefusedBeforeAnythingIsTouched)
{
    for (LONG layer : {-1L, 10L, 32767L, -32768L}) {
        EXPECT_EQ(Load("clip.avi", layer), 0);
        EXPECT_TRUE(LastErrorIs("Could not load a file into a layer outside 0 to 9", E_INVALIDARG));
        EXPECT_EQ(Inside(engine).AddSoundRenderer(layer), 0);
    }
    EXPECT_EQ(platform.Made("graph"), 0u);
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    for (int i = 0; i < LAYER_COUNT; ++i) {
        EXPECT_EQ(engine.LayerFileName(i), L"");
        EXPECT_EQ(Inside(engine).layerHasSound()[i], TRUE);
    }
}

TEST_F(LoadingFake, NullNameIsRefusedAndLeavesTheLayerAsItWas)
{
    EXPECT_EQ(Load(nullptr, 2, FALSE), 0);
    EXPECT_TRUE(LastErrorIs("Could not load a file with an empty file name", E_INVALIDARG));
    EXPECT_EQ(platform.Made("graph"), 0u);
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);

    // Once made the next render drop the sound of the file loaded there.
    ASSERT_EQ(Load("with sound.avi", 0, TRUE), 1);
    EXPECT_EQ(Load(nullptr, 0, FALSE), 0);
    EXPECT_EQ(engine.LayerFileName(0), L"with sound.avi");
    EXPECT_EQ(Inside(engine).layerHasSound()[0], TRUE);
    ASSERT_EQ(Load("other.avi", 1, TRUE), 1);
    ASSERT_TRUE(Inside(engine).soundRenderers()[0]);
    EXPECT_TRUE(Graph().Contains(Inside(engine).soundRenderers()[0].Get())) << Graph().Describe();

    // An empty name is not caught here: it goes to the platform's source search.
    EXPECT_EQ(Load("", 2), 1);
    EXPECT_EQ(platform.Log().Last("IGraphBuilder::AddSourceFilter").args.at(0), "\"\"");
}

// Without 3D acceleration the VMR-9 may not be made: the half-built graph stays, and later
// loads play the clip's sound through the layer's own renderer.
TEST_F(LoadingFake, GraphWhoseVmrCannotBeMadeStaysAndPlaysTheSoundOfLaterLoads)
{
    platform.FailCreate(CLSID_VideoMixingRenderer9, E_OUTOFMEMORY);
    EXPECT_EQ(Load("clip.avi", 0), 0);
    EXPECT_TRUE(LastErrorIs("Could not create an instance ofthe VMR9", E_OUTOFMEMORY));
    EXPECT_TRUE(Inside(engine).graphBuilder());

    ASSERT_EQ(Load("clip.avi", 0), 1) << engine.LastError();
    EXPECT_EQ(platform.Made("graph"), 1u);
    EXPECT_EQ(platform.Rot().Count(), 1u);
    ASSERT_EQ(engine.Play(), 1) << engine.LastError();
    EXPECT_TRUE(LastErrorIs("Can't show the video, no VMR", E_FAIL));
    EXPECT_EQ(Media().state, State_Running);
    ASSERT_TRUE(Inside(engine).soundRenderers()[0]) << Graph().Describe();
    EXPECT_TRUE(Graph().FindFilter(L"DirectSound")->Pins().front()->IsConnected()) << Graph().Describe();
}

// A graph object without a graph builder was taken for a built graph, and the load then used
// the missing builder.
TEST_F(LoadingFake, GraphWithoutAGraphBuilderIsRefusedAndClosed)
{
    platform.FailWhen("IUnknown::QueryInterface", E_NOINTERFACE,
                      [](const CallRecord& call) { return call.args.at(0) == GuidName(IID_IGraphBuilder); });
    EXPECT_EQ(Load("clip.avi", 0), 0);
    EXPECT_TRUE(LastErrorIs("Could not build the graph", E_NOINTERFACE)) << engine.LastError();
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    EXPECT_FALSE(Inside(engine).graph());
}

TEST_F(LoadingFake, MissingSourceFilterLeavesTheLayerEmptyAndTheGraphStopped)
{
    platform.FailNext("IGraphBuilder::AddSourceFilter", VFW_E_UNKNOWN_FILE_TYPE);
    EXPECT_EQ(Load("notes.txt", 4), 0);
    EXPECT_TRUE(LastErrorIs("Could not find a source filter for this file", VFW_E_UNKNOWN_FILE_TYPE));
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);
    EXPECT_FALSE(Inside(engine).sourceFilters()[4]);
    EXPECT_FALSE(Inside(engine).soundRenderers()[4]);
}

TEST_F(LoadingFake, SourceWhoseOutputNothingTakesIsRefusedWithTheRenderCode)
{
    platform.defaults.graph.pinsByFile["notes.txt"] = {{L"Output", MEDIATYPE_Stream}};
    EXPECT_EQ(Load("notes.txt", 2), 0);
    EXPECT_TRUE(LastErrorIs("Could not find a source filter for this file", VFW_E_CANNOT_RENDER));
    // A damaged file can take the platform seconds to refuse: it is rendered once.
    EXPECT_EQ(platform.Log().Count("IGraphBuilder::Render"), 1u);
    EXPECT_FALSE(Inside(engine).sourceFilters()[2]);
    EXPECT_FALSE(Inside(engine).soundRenderers()[2]);
    EXPECT_EQ(Graph().FilterNames(), (std::vector<std::wstring>{L"VMR9"})) << Graph().Describe();

    ASSERT_EQ(Load("clip.avi", 2), 1);
    EXPECT_EQ(Load("notes.txt", 2), 0);
    EXPECT_TRUE(LastErrorIs("Could not load the file", VFW_E_CANNOT_RENDER));
    EXPECT_EQ(engine.LayerFileName(2), L"");
    EXPECT_EQ(Graph().FilterNames(), (std::vector<std::wstring>{L"VMR9"})) << Graph().Describe();
}

TEST_F(LoadingFake, FailedReloadEmptiesTheLayer)
{
    ASSERT_EQ(Load("first.avi", 0), 1);
    IBaseFilter* oldSource = Inside(engine).sourceFilters()[0].Get();
    platform.FailNext("IGraphBuilder::AddSourceFilter", VFW_E_NOT_FOUND);
    EXPECT_EQ(Load("missing.avi", 0), 0);
    EXPECT_TRUE(LastErrorIs("Could not load the file", VFW_E_NOT_FOUND));
    EXPECT_FALSE(Inside(engine).sourceFilters()[0]);
    EXPECT_EQ(engine.LayerFileName(0), L"");
    EXPECT_FALSE(Graph().Contains(oldSource));
    EXPECT_EQ(Graph().FilterNames(), (std::vector<std::wstring>{L"VMR9"})) << Graph().Describe();
}

TEST_F(LoadingFake, RendererThatCannotBeMadeIsReportedAndTheLoadGoesOn)
{
    platform.FailCreate(CLSID_DSoundRender, E_INVALIDARG);
    EXPECT_EQ(Load("clip.avi", 0), 1);
    EXPECT_TRUE(LastErrorIs("Could not add the DirectSoundRenderer", E_INVALIDARG));
    EXPECT_FALSE(Inside(engine).soundRenderers()[0]);
    // The builder's own renderer took the sound; it and its decoder are taken out again.
    EXPECT_FALSE(HasFilterNamed(Graph(), L"Default DirectSound Device"));
    EXPECT_FALSE(HasFilterNamed(Graph(), L"Audio Decoder")) << Graph().Describe();
    EXPECT_TRUE(HasFilterNamed(Graph(), L"Video Decoder"));
}

TEST_F(LoadingFake, RendererTheGraphRefusesIsReportedAndDroppedAtRender)
{
    platform.FailWhen("IFilterGraph::AddFilter", E_OUTOFMEMORY,
                      [](const CallRecord& call) { return call.args.at(1) == "\"DirectSound\""; });
    EXPECT_EQ(Load("clip.avi", 0), 1);
    EXPECT_TRUE(LastErrorIs("Could not add the DirectSoundRenderer", E_OUTOFMEMORY));
    EXPECT_FALSE(Inside(engine).soundRenderers()[0]);
    EXPECT_FALSE(HasFilterNamed(Graph(), L"Default DirectSound Device"));
}

TEST_F(LoadingFake, RenderingWithoutTheFullGraphIsReported)
{
    ASSERT_EQ(Load("clip.avi", 0), 1);
    Inside(engine).filterGraph2().Reset();
    EXPECT_EQ(Load("other.avi", 1), 0);
    EXPECT_TRUE(LastErrorIs("Could not render the graph because it is not fully constructed", E_FAIL));
    EXPECT_TRUE(Inside(engine).sourceFilters()[1]);
    Inside(engine).graphBuilder().Reset();
    EXPECT_EQ(Inside(engine).RenderLayers(), 0);
}

TEST_F(LoadingFake, SoundTakenByTheBuildersOwnRendererIsDropped)
{
    platform.defaults.graph.soundRouting = SoundRouting::AlwaysAddDefault;
    ASSERT_EQ(Load("clip.avi", 0), 1);
    EXPECT_FALSE(HasFilterNamed(Graph(), L"Default DirectSound Device")) << Graph().Describe();
    EXPECT_FALSE(HasFilterNamed(Graph(), L"Audio Decoder"));
    // The layer's own renderer got no sound, so it left the graph and its slot.
    EXPECT_FALSE(Inside(engine).soundRenderers()[0]);
    EXPECT_FALSE(HasFilterNamed(Graph(), L"DirectSound"));
    EXPECT_TRUE(HasFilterNamed(Graph(), L"SRC00"));
}

TEST_F(LoadingFake, FileWithoutSoundLeavesTheRendererSlotEmpty)
{
    platform.defaults.graph.pinsByFile["silent.avi"] = {{L"Video", MEDIATYPE_Video}};
    ASSERT_EQ(Load("C:\\silent.avi", 5), 1);
    EXPECT_FALSE(Inside(engine).soundRenderers()[5]);
    EXPECT_FALSE(HasFilterNamed(Graph(), L"DirectSound5"));
    EXPECT_EQ(platform.Made("dsound"), 1u);
}

TEST_F(LoadingFake, NoSoundWantedRemovesTheRendererAndItsDecoderEvenOnTheFirstLoad)
{
    ASSERT_EQ(Load("clip.avi", 0, FALSE), 1);
    EXPECT_EQ(Inside(engine).layerHasSound()[0], FALSE);
    EXPECT_FALSE(HasFilterNamed(Graph(), L"DirectSound"));
    EXPECT_FALSE(HasFilterNamed(Graph(), L"Audio Decoder")) << Graph().Describe();
    EXPECT_TRUE(HasFilterNamed(Graph(), L"Video Decoder"));
    EXPECT_TRUE(platform.Vmr().Pins().front()->IsConnected());
    // The slot keeps its reference until the next render finds the renderer unconnected.
    ASSERT_TRUE(Inside(engine).soundRenderers()[0]);
    EXPECT_EQ(Inside(engine).RenderLayers(), 1);
    EXPECT_FALSE(Inside(engine).soundRenderers()[0]);
}

TEST_F(LoadingFake, ReloadReplacesTheChainAndLeavesTheMixerAndOtherLayers)
{
    ASSERT_EQ(Load("zero.avi", 0), 1);
    ASSERT_EQ(Load("one.avi", 1), 1);
    IBaseFilter* oldSource = Inside(engine).sourceFilters()[0].Get();
    IBaseFilter* oldRenderer = Inside(engine).soundRenderers()[0].Get();
    IBaseFilter* otherSource = Inside(engine).sourceFilters()[1].Get();
    IBaseFilter* mixer = Inside(engine).vmrFilter().Get();

    ASSERT_EQ(Load("again.avi", 0), 1);
    FakeFilterGraph& graph = Graph();
    EXPECT_FALSE(graph.Contains(oldSource));
    EXPECT_FALSE(graph.Contains(oldRenderer));
    EXPECT_TRUE(graph.Contains(otherSource));
    EXPECT_TRUE(graph.Contains(mixer));
    EXPECT_EQ(CountNamed(graph, L"SRC00"), 1u) << graph.Describe();
    EXPECT_EQ(CountNamed(graph, L"DirectSound"), 1u);
    EXPECT_EQ(CountNamed(graph, L"VMR9"), 1u);
    // Two layers of two decoders each, nothing left over from the first file.
    EXPECT_EQ(graph.FilterCount(), 9u) << graph.Describe();
    EXPECT_EQ(engine.LayerFileName(0), L"again.avi");
    for (FakePin* pin : graph.FindFilter(L"SRC01")->Pins())
        EXPECT_TRUE(pin->IsConnected()) << graph.Describe();
}

TEST_F(LoadingFake, LoadingWhilePlayingStopsAndRewindsTheWholeGraph)
{
    LoadAndPlay("zero.avi");
    Media().current = 50000000;
    ASSERT_EQ(Load("one.avi", 1), 1);
    EXPECT_EQ(engine.State(), GRAPH_STOPPED);
    EXPECT_EQ(Media().state, State_Stopped);
    EXPECT_EQ(Media().current, 0);
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
    // Straight to stopped: no pause on the way and no wait for one.
    EXPECT_EQ(platform.Log().Count("IMediaControl::Pause"), 0u);
    EXPECT_EQ(platform.Log().Count("IMediaControl::StopWhenReady"), 0u);
    EXPECT_EQ(platform.Log().Last("IMediaControl::GetState").args.at(0), "0");
}

TEST_F(LoadingFake, FindFilterByNameGivesTheLastMatchInEnumerationOrder)
{
    EXPECT_FALSE(Inside(engine).FindFilterByName("SRC"));
    ASSERT_EQ(Load("zero.avi", 0), 1);
    ASSERT_EQ(Load("one.avi", 1), 1);
    Microsoft::WRL::ComPtr<IBaseFilter> found = Inside(engine).FindFilterByName("SRC0");
    // The fake lists the newest filter first, so the last match is the oldest source.
    EXPECT_EQ(found.Get(), Inside(engine).sourceFilters()[0].Get());
    EXPECT_FALSE(Inside(engine).FindFilterByName("src0"));
}

TEST_F(LoadingFake, PinUtilitiesFollowConnectionsByStreamType)
{
    ASSERT_EQ(Load("zero.avi", 0), 1);
    IBaseFilter* source = Inside(engine).sourceFilters()[0].Get();
    Microsoft::WRL::ComPtr<IBaseFilter> next;
    ASSERT_EQ(NextFilterSkippingAudio(source, PINDIR_OUTPUT, &next), S_OK);
    EXPECT_EQ(next.Get(), Graph().FindFilter(L"Video Decoder")->AsBaseFilter());
    ASSERT_EQ(NextFilterSkippingVideo(source, PINDIR_OUTPUT, next.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(next.Get(), Graph().FindFilter(L"Audio Decoder")->AsBaseFilter());
    EXPECT_EQ(NextFilterSkippingAudio(source, PINDIR_INPUT, next.ReleaseAndGetAddressOf()), E_FAIL);
    EXPECT_EQ(NextFilterSkippingAudio(nullptr, PINDIR_OUTPUT, next.ReleaseAndGetAddressOf()), E_POINTER);

    Microsoft::WRL::ComPtr<IPin> pin = FindPin(source, PINDIR_OUTPUT);
    ASSERT_TRUE(pin);
    EXPECT_EQ(StreamTypeName(pin.Get()), "VIDEO");
    EXPECT_FALSE(FindPin(source, PINDIR_INPUT));
    EXPECT_EQ(FindUnconnectedPin(source, PINDIR_OUTPUT, pin.ReleaseAndGetAddressOf()), E_FAIL);
    EXPECT_EQ(FindUnconnectedPin(source, PINDIR_OUTPUT, nullptr), E_POINTER);
    EXPECT_EQ(FindUnconnectedPin(Inside(engine).vmrFilter().Get(), PINDIR_INPUT, pin.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(StreamTypeName(pin.Get()), "VIDEO");
}

}  // namespace

namespace {

using SplitterLoadingFake = FakeEngine;

// A source that feeds the mixer and the sound renderer itself, without decoders.
TEST_F(SplitterLoadingFake, NoSoundWantedTakesOnlyTheRendererAwayFromASplitterThatAlsoFeedsVideo)
{
    platform.defaults.graph.splitterDecodes = true;
    ASSERT_EQ(Load("clip.avi", 0, FALSE), 1);
    EXPECT_FALSE(HasFilterNamed(Graph(), L"DirectSound"));
    EXPECT_EQ(Graph().FilterNames(), (std::vector<std::wstring>{L"VMR9", L"SRC00"})) << Graph().Describe();
    EXPECT_TRUE(platform.Vmr().Pins().front()->IsConnected());
    EXPECT_TRUE(Inside(engine).windowlessControl());
    EXPECT_FALSE(engine.HasNoVideo());
}

TEST_F(SplitterLoadingFake, BuildersOwnRendererLeavesWithoutTakingTheSplitterOrTheMixer)
{
    platform.defaults.graph.splitterDecodes = true;
    platform.defaults.graph.soundRouting = SoundRouting::AlwaysAddDefault;
    ASSERT_EQ(Load("clip.avi", 0), 1);
    EXPECT_EQ(Graph().FilterNames(), (std::vector<std::wstring>{L"VMR9", L"SRC00"})) << Graph().Describe();
}

TEST_F(SplitterLoadingFake, ReloadRemovesTheOldSourceAndItsRendererButKeepsTheMixer)
{
    platform.defaults.graph.splitterDecodes = true;
    ASSERT_EQ(Load("zero.avi", 0), 1);
    ASSERT_EQ(Load("one.avi", 1), 1);
    IBaseFilter* oldSource = Inside(engine).sourceFilters()[0].Get();
    ASSERT_EQ(Load("again.avi", 0), 1);
    EXPECT_FALSE(Graph().Contains(oldSource));
    EXPECT_EQ(Graph().FilterCount(), 5u) << Graph().Describe();
    EXPECT_TRUE(HasFilterNamed(Graph(), L"VMR9"));
    EXPECT_TRUE(Inside(engine).soundRenderers()[0] && Inside(engine).soundRenderers()[1]);
}

}  // namespace
