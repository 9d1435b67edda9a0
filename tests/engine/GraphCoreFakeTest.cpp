// The engine core against fake platform objects: failures on demand and reference counts.
#include "EngineFixture.h"

#include <string>
#include <thread>

namespace {

constexpr HRESULT kPlatformFailure = static_cast<HRESULT>(0x8007000E);  // E_OUTOFMEMORY

class GraphCoreFake : public FakeEngine
{
protected:
    void SetUp() override
    {
        FakeEngine::SetUp();
        platform.DescribeError(kPlatformFailure, "Out of memory.");
        ASSERT_EQ(engine.SetVideoWindow(window.Handle()), 1);
    }

    std::string Error() const { return engine.LastError(); }
};

TEST_F(GraphCoreFake, GraphThatCannotBeCreatedLeavesNothingBehind)
{
    platform.FailCreate(CLSID_FilterGraph, kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 0);
    EXPECT_TRUE(LastErrorIs("Could not build the graph", kPlatformFailure, "Out of memory."));
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    EXPECT_FALSE(Inside(engine).graph());
    EXPECT_FALSE(Inside(engine).graphBuilder());
    EXPECT_EQ(Inside(engine).rotCookie(), -1);
    EXPECT_EQ(platform.Log().Count("CoCreateInstance"), 1u) << "no VMR-9 without a graph";
}

TEST_F(GraphCoreFake, NoWindowLeavesAGraphWithoutVmr)
{
    CVMR9Graph windowless;
    EXPECT_EQ(windowless.BuildGraph(), 0);
    EXPECT_EQ(std::string(windowless.LastError()),
              "[ERROR in VMR9Graph, line 410] Could not operate without a Window : COM Error 0x80004005, "
              "Unspecified error");
    EXPECT_TRUE(Inside(windowless).graphBuilder());
    EXPECT_FALSE(Inside(windowless).vmrFilter());
    EXPECT_EQ(platform.Graph().FilterCount(), 0u);
    Inside(windowless).state() = GRAPH_STOPPED;
    windowless.CloseGraph();
    EXPECT_EQ(platform.ReferenceReport(), "") << platform.Log().Dump();
}

TEST_F(GraphCoreFake, VmrThatCannotBeCreatedLeavesAGraphWithoutVmr)
{
    platform.FailCreate(CLSID_VideoMixingRenderer9, kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 0);
    EXPECT_TRUE(LastErrorIs("Could not create an instance ofthe VMR9", kPlatformFailure, "Out of memory."));
    EXPECT_TRUE(Inside(engine).graphBuilder());
    EXPECT_FALSE(Inside(engine).vmrFilter());
    EXPECT_FALSE(Inside(engine).d3d()) << "Direct3D is set up only after the VMR-9 joined the graph";
}

TEST_F(GraphCoreFake, VmrThatCannotJoinTheGraphStaysOutside)
{
    platform.Fail("IFilterGraph::AddFilter", kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 0);
    EXPECT_TRUE(LastErrorIs("Could not add the VMR9 to the Graph", kPlatformFailure, "Out of memory."));
    EXPECT_TRUE(Inside(engine).vmrFilter());
    EXPECT_EQ(platform.Graph().FindFilter(L"VMR9"), nullptr);
    EXPECT_FALSE(Inside(engine).vmrConfig());
}

// Direct3D is set up when the first overlay picture needs it, once per graph, not at build.
TEST_F(GraphCoreFake, MissingDirect3DStillBuildsTheVideoPathAndIsTriedOncePerGraph)
{
    platform.FailDirect3DCreate(1);
    EXPECT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(platform.Log().Count("Direct3DCreate9"), 0u);
    EXPECT_EQ(Error(), "");
    EXPECT_TRUE(Inside(engine).windowlessControl());
    EXPECT_EQ(platform.Log().Count("IVMRFilterConfig9::SetNumberOfStreams"), 1u);

    EXPECT_EQ(Inside(engine).EnsureDirect3D(), 0);
    EXPECT_EQ(Error(),
              "[ERROR in VMR9Graph, line 410] Cannot initialize Direct3D : COM Error 0x80004005, "
              "Unspecified error") << "fake describes E_FAIL like the platform: " << Error();
    EXPECT_FALSE(Inside(engine).d3d());
    EXPECT_EQ(Inside(engine).EnsureDirect3D(), 0);
    EXPECT_EQ(platform.Log().Count("Direct3DCreate9"), 1u);

    // The next graph tries again.
    Inside(engine).state() = GRAPH_STOPPED;
    engine.CloseGraph();
    ASSERT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(Inside(engine).EnsureDirect3D(), 1);
    EXPECT_TRUE(Inside(engine).d3d() && Inside(engine).d3dDevice());
    EXPECT_EQ(platform.Log().Count("Direct3DCreate9"), 2u);
}

TEST_F(GraphCoreFake, UnreadableDisplayModeKeepsDirect3DWithoutDevice)
{
    platform.Fail("IDirect3D9::GetAdapterDisplayMode", kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(Inside(engine).EnsureDirect3D(), 0);
    EXPECT_TRUE(LastErrorIs("Cannot get display adaptater infos from Direct3d", kPlatformFailure, "Out of memory."));
    EXPECT_TRUE(Inside(engine).d3d());
    EXPECT_FALSE(Inside(engine).d3dDevice());
    EXPECT_EQ(platform.Log().Count("IDirect3D9::CreateDevice"), 0u);
}

TEST_F(GraphCoreFake, DeviceThatCannotBeCreatedStillCountsAsSetUp)
{
    platform.Fail("IDirect3D9::CreateDevice", kPlatformFailure);
    ASSERT_EQ(engine.BuildGraph(), 1) << Error();
    EXPECT_EQ(Inside(engine).InitDirect3D(), 1);
    EXPECT_TRUE(LastErrorIs("Cannot create the Direct3d device", kPlatformFailure, "Out of memory."));
    EXPECT_TRUE(Inside(engine).d3d());
    EXPECT_FALSE(Inside(engine).d3dDevice());
}

// The host made this thread's COM multithreaded: the engine's CoInitialize is refused, and
// closing must not take the host's own initialisation away.
TEST_F(GraphCoreFake, CloseLeavesAHostsMultithreadedComAsItWas)
{
    HRESULT afterClose = E_FAIL;
    std::thread host([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        ASSERT_EQ(engine.BuildGraph(), 1) << Error();
        Inside(engine).state() = GRAPH_STOPPED;
        engine.CloseGraph();
        afterClose = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(afterClose))
            CoUninitialize();
        CoUninitialize();
    });
    host.join();
    EXPECT_EQ(afterClose, S_FALSE) << "S_OK: CloseGraph uninitialised the host's COM";
}

TEST_F(GraphCoreFake, UndescribedCodeUsesTheShortForm)
{
    platform.ForgetErrorTexts();
    Inside(engine).ReportError("Something failed", static_cast<HRESULT>(0x80040209));
    EXPECT_EQ(Error(), "[ERROR in VMR9Graph, line 412] Something failed : COM Error 0x80040209");
    Inside(engine).ReportError("Another", S_FALSE);
    EXPECT_EQ(Error(), "[ERROR in VMR9Graph, line 412] Another : COM Error 0x1") << "each report overwrites";
}

TEST_F(GraphCoreFake, VmrIsConfiguredWindowlessWithFourStreamsInOrder)
{
    ASSERT_EQ(engine.BuildGraph(), 1) << Error();
    EXPECT_EQ(platform.Log().Last("IVMRFilterConfig9::SetRenderingMode").args.at(0), "2");
    EXPECT_EQ(platform.Log().Last("IVMRFilterConfig9::SetNumberOfStreams").args.at(0), "4");
    EXPECT_EQ(platform.Log().Last("IVMRWindowlessControl9::SetAspectRatioMode").args.at(0), "0");
    EXPECT_EQ(platform.Log().Sequence("IVMRFilterConfig9::"),
              (std::vector<std::string>{"vmr0 IVMRFilterConfig9::SetRenderingMode",
                                        "vmr0 IVMRFilterConfig9::SetNumberOfStreams",
                                        "vmr0 IVMRFilterConfig9::SetRenderingPrefs"}));
    ASSERT_EQ(Inside(engine).EnsureDirect3D(), 1);
    const auto present = platform.Log().Last("IDirect3D9::CreateDevice").Raw<D3DPRESENT_PARAMETERS>();
    EXPECT_EQ(present.SwapEffect, D3DSWAPEFFECT_DISCARD);
    // A hidden top-level window of its own, not the renderer's video window.
    EXPECT_NE(present.hDeviceWindow, window.Handle());
    EXPECT_EQ(GetAncestor(present.hDeviceWindow, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(IsWindowVisible(present.hDeviceWindow));
    EXPECT_TRUE(present.Windowed);
    EXPECT_EQ(present.BackBufferWidth, 0u);
    EXPECT_EQ(present.BackBufferCount, 0u);
    EXPECT_FALSE(present.EnableAutoDepthStencil);
    EXPECT_EQ(platform.Log().Last("IMediaEventEx::SetNotifyWindow").args.at(1), "32769");
}

TEST_F(GraphCoreFake, CloseReleasesEveryReferenceExactlyOnce)
{
    ASSERT_EQ(engine.BuildGraph(), 1) << Error();
    // Fill what loading, frame stepping and the overlay would hold, so every member is set.
    for (int layer : {0, 7}) {
        ASSERT_EQ(Inside(engine).graphBuilder()->AddSourceFilter(L"clip.avi", layer == 0 ? L"SRC00" : L"SRC07",
                                                       &Inside(engine).sourceFilters()[layer]), S_OK);
        ASSERT_EQ(Platform().createInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                            reinterpret_cast<void**>(Inside(engine).soundRenderers()[layer].GetAddressOf())),
                  S_OK);
        Inside(engine).fileNames()[layer] = L"clip.avi";
        Inside(engine).layerHasSound()[layer] = FALSE;
    }
    ASSERT_TRUE(SUCCEEDED(Inside(engine).graph().As(&Inside(engine).frameStep())));
    ASSERT_EQ(Inside(engine).EnsureDirect3D(), 1);
    ASSERT_EQ(Inside(engine).d3dDevice()->CreateOffscreenPlainSurface(16, 16, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                            &Inside(engine).overlaySurface(), nullptr), S_OK);
    Inside(engine).state() = GRAPH_RUNNING;

    engine.CloseGraph();
    EXPECT_EQ(platform.ReferenceReport(), "") << platform.Log().Dump();
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    EXPECT_EQ(Inside(engine).rotCookie(), -1);
    EXPECT_EQ(platform.Log().Count("IMediaControl::Stop"), 1u);
    EXPECT_EQ(platform.Log().Last("IMediaEventEx::SetNotifyWindow").args.at(0), "null");
    for (int layer = 0; layer < LAYER_COUNT; ++layer) {
        EXPECT_EQ(engine.LayerFileName(layer), L"");
        EXPECT_TRUE(Inside(engine).layerHasSound()[layer]);
    }
    EXPECT_EQ(Inside(engine).videoWindow(), window.Handle()) << "the window survives a close";
    EXPECT_EQ(Inside(engine).volume(), 100);
}

TEST_F(GraphCoreFake, ReleaseAllKeepsStateCookieWindowVolumeAndFinishFlag)
{
    ASSERT_EQ(engine.BuildGraph(), 1) << Error();
    Inside(engine).state() = GRAPH_PAUSED;
    Inside(engine).volume() = 40;
    Inside(engine).playbackFinished() = 0;
    const LONG cookie = Inside(engine).rotCookie();
    ASSERT_NE(cookie, -1);
    Inside(engine).ReleaseAll();
    EXPECT_FALSE(Inside(engine).graph());
    EXPECT_FALSE(Inside(engine).d3d());
    EXPECT_EQ(engine.State(), GRAPH_PAUSED);
    EXPECT_EQ(Inside(engine).rotCookie(), cookie);
    EXPECT_EQ(Inside(engine).volume(), 40);
    EXPECT_EQ(Inside(engine).playbackFinished(), 0);
    Inside(engine).RemoveFromRot();
    EXPECT_EQ(platform.Rot().DisplayNames().size(), 0u);
}

TEST_F(GraphCoreFake, BuildingAgainReleasesThePreviousGraphFirst)
{
    ASSERT_EQ(engine.BuildGraph(), 1);
    Inside(engine).RemoveFromRot();
    ASSERT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(platform.Made("graph"), 2u);
    EXPECT_EQ(platform.Graph(0).RefCount(), 0u) << "the first graph is let go";
    EXPECT_EQ(platform.Rot().DisplayNames().size(), 1u);
}

TEST_F(GraphCoreFake, CloseOnANeverBuiltEngineDoesNothing)
{
    CVMR9Graph idle;
    idle.CloseGraph();
    EXPECT_EQ(platform.Log().All().size(), 0u) << platform.Log().Dump();
    EXPECT_EQ(idle.State(), GRAPH_CLOSED);
    EXPECT_EQ(idle.LastError(), "");
}

TEST_F(GraphCoreFake, RunningObjectTableFailureIsNotFatal)
{
    platform.Fail("GetRunningObjectTable", kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(Inside(engine).rotCookie(), -1);
    EXPECT_EQ(Inside(engine).AddToRot(nullptr), E_INVALIDARG);
    EXPECT_EQ(Inside(engine).AddToRot(Inside(engine).graph().Get()), E_FAIL);
}

TEST(LayerTable, ConstructingAnyEngineResetsTheTableForTheWholeProcess)
{
    CVMR9Graph first;
    layerTable[3] = LayerGeometry{0.25f, 0.5f, 0.5f, 0.25f, 0.3f, 1, 1};
    layerTable[9].alpha = 0.0f;
    first.CloseGraph();
    EXPECT_EQ(layerTable[3].alpha, 0.3f) << "closing does not reset";

    CVMR9Graph second;
    for (const LayerGeometry& layer : layerTable) {
        EXPECT_EQ(layer.left, 0.0f);
        EXPECT_EQ(layer.top, 0.0f);
        EXPECT_EQ(layer.width, 1.0f);
        EXPECT_EQ(layer.height, 1.0f);
        EXPECT_EQ(layer.alpha, 1.0f);
        EXPECT_EQ(layer.flipped, 0);
        EXPECT_EQ(layer.mirrored, 0);
    }
}

TEST(EngineDefaults, NewEngineHoldsItsInitialValues)
{
    CVMR9Graph engine;
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    EXPECT_EQ(Inside(engine).fontName(), L"Impact");
    EXPECT_EQ(Inside(engine).textColor(), 255u);
    EXPECT_EQ(Inside(engine).fontSize(), 12);
    EXPECT_EQ(Inside(engine).overlayAlpha(), 1.0f);
    EXPECT_EQ(Inside(engine).volume(), 100);
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
    EXPECT_EQ(Inside(engine).rotCookie(), -1);
    EXPECT_EQ(Inside(engine).numStreams(), 4);
    EXPECT_EQ(Inside(engine).videoWindow(), nullptr);
    EXPECT_EQ(engine.LastError(), "");
    for (int layer = 0; layer < LAYER_COUNT; ++layer) {
        EXPECT_TRUE(Inside(engine).layerHasSound()[layer]);
        EXPECT_FALSE(Inside(engine).sourceFilters()[layer]);
        EXPECT_FALSE(Inside(engine).soundRenderers()[layer]);
    }
}

}  // namespace
