// The engine core against the real platform under Wine: no fakes.
#include <gtest/gtest.h>

#include <dshow.h>
#include <cwchar>

#include "VMR9Graph.h"
#include "support/RunningObjects.h"
#include "support/TestWindow.h"

namespace {

std::wstring ExpectedRotName(IUnknown* graph)
{
    wchar_t text[64];
    swprintf(text, 64, L"!FilterGraph %08x pid %08x",
             static_cast<unsigned>(reinterpret_cast<UINT_PTR>(graph)),
             static_cast<unsigned>(GetCurrentProcessId()));
    return text;
}

class GraphCoreReal : public ::testing::Test
{
protected:
    TestWindow window;
    CVMR9Graph engine;

    void SetUp() override { ASSERT_NE(window.Handle(), nullptr) << "no display?"; }
    void TearDown() override { engine.CloseGraph(); }

    void Build()
    {
        ASSERT_EQ(engine.SetVideoWindow(window.Handle()), 1);
        ASSERT_EQ(engine.BuildGraph(), 1) << engine.lastError;
        // A load marks the graph built; these tests build without loading.
        engine.state = GRAPH_STOPPED;
    }
};

TEST_F(GraphCoreReal, BuildsGraphWithWindowlessFourStreamVmrAndDirect3DDevice)
{
    Build();
    ASSERT_TRUE(engine.graph && engine.graphBuilder && engine.filterGraph && engine.filterGraph2);
    EXPECT_TRUE(engine.mediaControl && engine.mediaEvent && engine.mediaEventEx && engine.mediaSeeking);

    Microsoft::WRL::ComPtr<IBaseFilter> byName;
    ASSERT_EQ(engine.filterGraph->FindFilterByName(L"VMR9", &byName), S_OK);
    EXPECT_EQ(byName.Get(), engine.vmrFilter.Get());

    ASSERT_TRUE(engine.vmrConfig);
    DWORD mode = 0;
    ASSERT_EQ(engine.vmrConfig->GetRenderingMode(&mode), S_OK);
    EXPECT_EQ(mode, static_cast<DWORD>(VMR9Mode_Windowless));
    DWORD streams = 0;
    ASSERT_EQ(engine.vmrConfig->GetNumberOfStreams(&streams), S_OK);
    EXPECT_EQ(streams, 4u);

    EXPECT_TRUE(engine.windowlessControl);
    EXPECT_FALSE(engine.d3d) << "Direct3D waits for the first overlay picture";
    EXPECT_EQ(engine.EnsureDirect3D(), 1) << engine.lastError;
    EXPECT_TRUE(engine.d3d);
}

TEST_F(GraphCoreReal, RunningObjectTableHoldsOneEntryWhileTheGraphExists)
{
    EXPECT_TRUE(RunningGraphNames().empty());
    Build();
    std::vector<std::wstring> graphs = RunningGraphNames();
    ASSERT_EQ(graphs.size(), 1u);
    EXPECT_EQ(graphs[0], ExpectedRotName(engine.graph.Get()));
    EXPECT_NE(engine.rotCookie, -1);

    engine.CloseGraph();
    EXPECT_TRUE(RunningGraphNames().empty());
    EXPECT_EQ(engine.rotCookie, -1);
    EXPECT_EQ(engine.state, GRAPH_CLOSED);
    EXPECT_FALSE(engine.graph);
    EXPECT_FALSE(engine.vmrFilter);
    EXPECT_FALSE(engine.d3dDevice);
}

TEST_F(GraphCoreReal, ClosedEngineBuildsAgain)
{
    Build();
    engine.CloseGraph();
    Build();
    EXPECT_TRUE(engine.vmrFilter);
    EXPECT_TRUE(engine.windowlessControl);
    ASSERT_EQ(RunningGraphNames().size(), 1u);
    EXPECT_EQ(RunningGraphNames()[0], ExpectedRotName(engine.graph.Get()));
}

TEST_F(GraphCoreReal, ReportErrorUsesThePlatformDescription)
{
    char description[160] = {};
    ASSERT_GT(AMGetErrorTextA(VFW_E_NOT_CONNECTED, description, 160), 0u);
    engine.ReportError("Something failed", VFW_E_NOT_CONNECTED);
    EXPECT_EQ(std::string(engine.lastError),
              std::string("[ERROR in VMR9Graph, line 410] Something failed : COM Error 0x80040209, ") +
                  description);
}

TEST_F(GraphCoreReal, SetVideoWindowRefusesWhatIsNotAWindow)
{
    ASSERT_EQ(engine.SetVideoWindow(window.Handle()), 1);
    EXPECT_EQ(engine.SetVideoWindow(reinterpret_cast<HWND>(0x1234)), 0);
    EXPECT_EQ(engine.videoWindow, window.Handle());
    EXPECT_NE(std::string(engine.lastError).find("The window handle is invalid : COM Error 0x80070057"),
              std::string::npos);
}

}  // namespace
