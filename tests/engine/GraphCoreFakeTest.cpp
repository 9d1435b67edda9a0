// The engine core against fake platform objects: failures on demand and reference counts.
#include <gtest/gtest.h>

#include "VMR9Graph.h"
#include "fakes/FakePlatform.h"
#include "support/TestWindow.h"

#include <string>
#include <thread>

namespace {

constexpr HRESULT kPlatformFailure = static_cast<HRESULT>(0x8007000E);  // E_OUTOFMEMORY

class GraphCoreFake : public ::testing::Test
{
protected:
    FakePlatform platform;
    TestWindow window{320, 240, false};
    CVMR9Graph engine;

    void SetUp() override
    {
        ASSERT_NE(window.Handle(), nullptr);
        platform.DescribeError(kPlatformFailure, "Out of memory.");
        ASSERT_EQ(engine.SetVideoWindow(window.Handle()), 1);
    }

    std::string Error() const { return engine.lastError; }
    static std::string Described(const std::string& message, const std::string& code)
    {
        return "[ERROR in VMR9Graph, line 410] " + message + " : COM Error " + code + ", Out of memory.";
    }
};

TEST_F(GraphCoreFake, GraphThatCannotBeCreatedLeavesNothingBehind)
{
    platform.FailCreate(CLSID_FilterGraph, kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 0);
    EXPECT_EQ(Error(), Described("Could not build the graph", "0x8007000e"));
    EXPECT_EQ(engine.state, GRAPH_CLOSED);
    EXPECT_FALSE(engine.graph);
    EXPECT_FALSE(engine.graphBuilder);
    EXPECT_EQ(engine.rotCookie, -1);
    EXPECT_EQ(platform.Log().Count("CoCreateInstance"), 1u) << "no VMR-9 without a graph";
}

TEST_F(GraphCoreFake, NoWindowLeavesAGraphWithoutVmr)
{
    CVMR9Graph windowless;
    EXPECT_EQ(windowless.BuildGraph(), 0);
    EXPECT_EQ(std::string(windowless.lastError),
              "[ERROR in VMR9Graph, line 410] Could not operate without a Window : COM Error 0x80004005, "
              "Unspecified error");
    EXPECT_TRUE(windowless.graphBuilder);
    EXPECT_FALSE(windowless.vmrFilter);
    EXPECT_EQ(platform.Graph().FilterCount(), 0u);
    windowless.state = GRAPH_STOPPED;
    windowless.CloseGraph();
    EXPECT_EQ(platform.ReferenceReport(), "") << platform.Log().Dump();
}

TEST_F(GraphCoreFake, VmrThatCannotBeCreatedLeavesAGraphWithoutVmr)
{
    platform.FailCreate(CLSID_VideoMixingRenderer9, kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 0);
    EXPECT_EQ(Error(), Described("Could not create an instance ofthe VMR9", "0x8007000e"));
    EXPECT_TRUE(engine.graphBuilder);
    EXPECT_FALSE(engine.vmrFilter);
    EXPECT_FALSE(engine.d3d) << "Direct3D is set up only after the VMR-9 joined the graph";
}

TEST_F(GraphCoreFake, VmrThatCannotJoinTheGraphStaysOutside)
{
    platform.Fail("IFilterGraph::AddFilter", kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 0);
    EXPECT_EQ(Error(), Described("Could not add the VMR9 to the Graph", "0x8007000e"));
    EXPECT_TRUE(engine.vmrFilter);
    EXPECT_EQ(platform.Graph().FindFilter(L"VMR9"), nullptr);
    EXPECT_FALSE(engine.vmrConfig);
}

// Direct3D is set up when the first overlay picture needs it, once per graph, not at build.
TEST_F(GraphCoreFake, MissingDirect3DStillBuildsTheVideoPathAndIsTriedOncePerGraph)
{
    platform.FailDirect3DCreate(1);
    EXPECT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(platform.Log().Count("Direct3DCreate9"), 0u);
    EXPECT_EQ(Error(), "");
    EXPECT_TRUE(engine.windowlessControl);
    EXPECT_EQ(platform.Log().Count("IVMRFilterConfig9::SetNumberOfStreams"), 1u);

    EXPECT_EQ(engine.EnsureDirect3D(), 0);
    EXPECT_EQ(Error(),
              "[ERROR in VMR9Graph, line 410] Cannot initialize Direct3D : COM Error 0x80004005, "
              "Unspecified error") << "fake describes E_FAIL like the platform: " << Error();
    EXPECT_FALSE(engine.d3d);
    EXPECT_EQ(engine.EnsureDirect3D(), 0);
    EXPECT_EQ(platform.Log().Count("Direct3DCreate9"), 1u);

    // The next graph tries again.
    engine.state = GRAPH_STOPPED;
    engine.CloseGraph();
    ASSERT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(engine.EnsureDirect3D(), 1);
    EXPECT_TRUE(engine.d3d && engine.d3dDevice);
    EXPECT_EQ(platform.Log().Count("Direct3DCreate9"), 2u);
}

TEST_F(GraphCoreFake, UnreadableDisplayModeKeepsDirect3DWithoutDevice)
{
    platform.Fail("IDirect3D9::GetAdapterDisplayMode", kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(engine.EnsureDirect3D(), 0);
    EXPECT_EQ(Error(), Described("Cannot get display adaptater infos from Direct3d", "0x8007000e"));
    EXPECT_TRUE(engine.d3d);
    EXPECT_FALSE(engine.d3dDevice);
    EXPECT_EQ(platform.Log().Count("IDirect3D9::CreateDevice"), 0u);
}

TEST_F(GraphCoreFake, DeviceThatCannotBeCreatedStillCountsAsSetUp)
{
    platform.Fail("IDirect3D9::CreateDevice", kPlatformFailure);
    EXPECT_EQ(engine.InitDirect3D(), 1);
    EXPECT_EQ(Error(), Described("Cannot create the Direct3d device", "0x8007000e"));
    EXPECT_TRUE(engine.d3d);
    EXPECT_FALSE(engine.d3dDevice);
}

// The host made this thread's COM multithreaded: the engine's CoInitialize is refused, and
// closing must not take the host's own initialisation away.
TEST_F(GraphCoreFake, CloseLeavesAHostsMultithreadedComAsItWas)
{
    HRESULT afterClose = E_FAIL;
    std::thread host([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        ASSERT_EQ(engine.BuildGraph(), 1) << Error();
        engine.state = GRAPH_STOPPED;
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
    engine.ReportError("Something failed", static_cast<HRESULT>(0x80040209));
    EXPECT_EQ(Error(), "[ERROR in VMR9Graph, line 412] Something failed : COM Error 0x80040209");
    engine.ReportError("Another", S_FALSE);
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
    ASSERT_EQ(engine.EnsureDirect3D(), 1);
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
        ASSERT_EQ(engine.graphBuilder->AddSourceFilter(L"clip.avi", layer == 0 ? L"SRC00" : L"SRC07",
                                                       &engine.sourceFilters[layer]), S_OK);
        ASSERT_EQ(Platform().createInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                            reinterpret_cast<void**>(engine.soundRenderers[layer].GetAddressOf())),
                  S_OK);
        engine.fileNames[layer] = L"clip.avi";
        engine.layerHasSound[layer] = FALSE;
    }
    ASSERT_TRUE(SUCCEEDED(engine.graph.As(&engine.frameStep)));
    ASSERT_EQ(engine.EnsureDirect3D(), 1);
    ASSERT_EQ(engine.d3dDevice->CreateOffscreenPlainSurface(16, 16, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                            &engine.overlaySurface, nullptr), S_OK);
    engine.state = GRAPH_RUNNING;

    engine.CloseGraph();
    EXPECT_EQ(platform.ReferenceReport(), "") << platform.Log().Dump();
    EXPECT_EQ(engine.state, GRAPH_CLOSED);
    EXPECT_EQ(engine.rotCookie, -1);
    EXPECT_EQ(platform.Log().Count("IMediaControl::Stop"), 1u);
    EXPECT_EQ(platform.Log().Last("IMediaEventEx::SetNotifyWindow").args.at(0), "null");
    for (int layer = 0; layer < LAYER_COUNT; ++layer) {
        EXPECT_EQ(engine.fileNames[layer], L"");
        EXPECT_TRUE(engine.layerHasSound[layer]);
    }
    EXPECT_EQ(engine.videoWindow, window.Handle()) << "the window survives a close";
    EXPECT_EQ(engine.volume, 100);
}

TEST_F(GraphCoreFake, ReleaseAllKeepsStateCookieWindowVolumeAndFinishFlag)
{
    ASSERT_EQ(engine.BuildGraph(), 1) << Error();
    engine.state = GRAPH_PAUSED;
    engine.volume = 40;
    engine.playbackFinished = 0;
    const LONG cookie = engine.rotCookie;
    ASSERT_NE(cookie, -1);
    engine.ReleaseAll();
    EXPECT_FALSE(engine.graph);
    EXPECT_FALSE(engine.d3d);
    EXPECT_EQ(engine.state, GRAPH_PAUSED);
    EXPECT_EQ(engine.rotCookie, cookie);
    EXPECT_EQ(engine.volume, 40);
    EXPECT_EQ(engine.playbackFinished, 0);
    engine.RemoveFromRot();
    EXPECT_EQ(platform.Rot().DisplayNames().size(), 0u);
}

TEST_F(GraphCoreFake, BuildingAgainReleasesThePreviousGraphFirst)
{
    ASSERT_EQ(engine.BuildGraph(), 1);
    engine.RemoveFromRot();
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
    EXPECT_EQ(idle.state, GRAPH_CLOSED);
    EXPECT_STREQ(idle.lastError, "");
}

TEST_F(GraphCoreFake, RunningObjectTableFailureIsNotFatal)
{
    platform.Fail("GetRunningObjectTable", kPlatformFailure);
    EXPECT_EQ(engine.BuildGraph(), 1);
    EXPECT_EQ(engine.rotCookie, -1);
    EXPECT_EQ(engine.AddToRot(nullptr), E_INVALIDARG);
    EXPECT_EQ(engine.AddToRot(engine.graph.Get()), E_FAIL);
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
    EXPECT_EQ(engine.state, GRAPH_CLOSED);
    EXPECT_EQ(engine.fontName, L"Impact");
    EXPECT_EQ(engine.textColor, 255u);
    EXPECT_EQ(engine.fontSize, 12);
    EXPECT_EQ(engine.overlayAlpha, 1.0f);
    EXPECT_EQ(engine.volume, 100);
    EXPECT_EQ(engine.playbackFinished, 1);
    EXPECT_EQ(engine.rotCookie, -1);
    EXPECT_EQ(engine.numStreams, 4);
    EXPECT_EQ(engine.videoWindow, nullptr);
    EXPECT_STREQ(engine.lastError, "");
    for (int layer = 0; layer < LAYER_COUNT; ++layer) {
        EXPECT_TRUE(engine.layerHasSound[layer]);
        EXPECT_FALSE(engine.sourceFilters[layer]);
        EXPECT_FALSE(engine.soundRenderers[layer]);
    }
}

}  // namespace
