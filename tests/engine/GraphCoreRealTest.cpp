// The engine core against the real platform under Wine: no fakes.
#include "EngineFixture.h"
#include "support/RunningObjects.h"

#include <cwchar>

namespace {

std::wstring ExpectedRotName(IUnknown* graph)
{
    wchar_t text[64];
    swprintf(text, 64, L"!FilterGraph %08x pid %08x",
             static_cast<unsigned>(reinterpret_cast<UINT_PTR>(graph)),
             static_cast<unsigned>(GetCurrentProcessId()));
    return text;
}

using GraphCoreReal = RealEngine;

TEST_F(GraphCoreReal, BuildsGraphWithWindowlessFourStreamVmrAndDirect3DDevice)
{
    Build();
    ASSERT_TRUE(Inside(engine).graph() && Inside(engine).graphBuilder() && Inside(engine).filterGraph() && Inside(engine).filterGraph2());
    EXPECT_TRUE(Inside(engine).mediaControl() && Inside(engine).mediaEvent() && Inside(engine).mediaEventEx() && Inside(engine).mediaSeeking());

    Microsoft::WRL::ComPtr<IBaseFilter> byName;
    ASSERT_EQ(Inside(engine).filterGraph()->FindFilterByName(L"VMR9", &byName), S_OK);
    EXPECT_EQ(byName.Get(), Inside(engine).vmrFilter().Get());

    ASSERT_TRUE(Inside(engine).vmrConfig());
    DWORD mode = 0;
    ASSERT_EQ(Inside(engine).vmrConfig()->GetRenderingMode(&mode), S_OK);
    EXPECT_EQ(mode, static_cast<DWORD>(VMR9Mode_Windowless));
    DWORD streams = 0;
    ASSERT_EQ(Inside(engine).vmrConfig()->GetNumberOfStreams(&streams), S_OK);
    EXPECT_EQ(streams, 4u);

    EXPECT_TRUE(Inside(engine).windowlessControl());
    EXPECT_FALSE(Inside(engine).d3d()) << "Direct3D waits for the first overlay picture";
    EXPECT_EQ(Inside(engine).EnsureDirect3D(), 1) << engine.LastError();
    EXPECT_TRUE(Inside(engine).d3d());
}

TEST_F(GraphCoreReal, RunningObjectTableHoldsOneEntryWhileTheGraphExists)
{
    EXPECT_TRUE(RunningGraphNames().empty());
    Build();
    std::vector<std::wstring> graphs = RunningGraphNames();
    ASSERT_EQ(graphs.size(), 1u);
    EXPECT_EQ(graphs[0], ExpectedRotName(Inside(engine).graph().Get()));
    EXPECT_NE(Inside(engine).rotCookie(), -1);

    engine.CloseGraph();
    EXPECT_TRUE(RunningGraphNames().empty());
    EXPECT_EQ(Inside(engine).rotCookie(), -1);
    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    EXPECT_FALSE(Inside(engine).graph());
    EXPECT_FALSE(Inside(engine).vmrFilter());
    EXPECT_FALSE(Inside(engine).d3dDevice());
}

TEST_F(GraphCoreReal, ClosedEngineBuildsAgain)
{
    Build();
    engine.CloseGraph();
    Build();
    EXPECT_TRUE(Inside(engine).vmrFilter());
    EXPECT_TRUE(Inside(engine).windowlessControl());
    ASSERT_EQ(RunningGraphNames().size(), 1u);
    EXPECT_EQ(RunningGraphNames()[0], ExpectedRotName(Inside(engine).graph().Get()));
}

TEST_F(GraphCoreReal, ReportErrorUsesThePlatformDescription)
{
    char description[160] = {};
    ASSERT_GT(AMGetErrorTextA(VFW_E_NOT_CONNECTED, description, 160), 0u);
    Inside(engine).ReportError("Something failed", VFW_E_NOT_CONNECTED);
    EXPECT_EQ(std::string(engine.LastError()),
              std::string("[ERROR in VMR9Graph, line 410] Something failed : COM Error 0x80040209, ") +
                  description);
}

TEST_F(GraphCoreReal, SetVideoWindowRefusesWhatIsNotAWindow)
{
    ASSERT_EQ(engine.SetVideoWindow(window.Handle()), 1);
    EXPECT_EQ(engine.SetVideoWindow(reinterpret_cast<HWND>(0x1234)), 0);
    EXPECT_EQ(Inside(engine).videoWindow(), window.Handle());
    EXPECT_NE(std::string(engine.LastError()).find("The window handle is invalid : COM Error 0x80070057"),
              std::string::npos);
}

}  // namespace
