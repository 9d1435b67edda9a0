// Geometry against Wine's real renderer in a real window, with a graph built and no media.
#include "EngineFixture.h"

#include <string>

namespace {

class GeometryReal : public RealEngine
{
protected:
    void SetUp() override
    {
        RealEngine::SetUp();
        // 400 x 300: a picture that does not fill the window is letterboxed.
        SetWindowPos(window.Handle(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Build();
    }
};

TEST_F(GeometryReal, WithoutMediaTheNativeSizeIsZeroAndNothingIsRecorded)
{
    EXPECT_EQ(engine.GetVideoWidth(), 0);
    EXPECT_EQ(engine.GetVideoHeight(), 0);
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(GeometryReal, WithoutMediaNoRectangleCanBeConverted)
{
    VMR9NormalizedRect normalized = {};
    EXPECT_EQ(Inside(engine).ToNormalizedRect(RECT{0, 0, 10, 10}, normalized), 0);
    EXPECT_NE(std::string(engine.LastError()), "");
}

TEST_F(GeometryReal, AspectRatioModeReachesTheRenderer)
{
    DWORD mode = 99;
    ASSERT_EQ(engine.SetAspectRatio(TRUE), 1);
    ASSERT_EQ(Inside(engine).windowlessControl()->GetAspectRatioMode(&mode), S_OK);
    EXPECT_EQ(mode, static_cast<DWORD>(VMR9ARMode_LetterBox));
    ASSERT_EQ(engine.SetAspectRatio(FALSE), 1);
    ASSERT_EQ(Inside(engine).windowlessControl()->GetAspectRatioMode(&mode), S_OK);
    EXPECT_EQ(mode, static_cast<DWORD>(VMR9ARMode_None));
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(GeometryReal, PositionFollowsTheClientAreaOfTheVideoWindow)
{
    SetWindowPos(window.Handle(), nullptr, 0, 0, 500, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(window.Handle(), &client));
    engine.UpdateVideoPosition();
    RECT source = {}, destination = {};
    ASSERT_EQ(Inside(engine).windowlessControl()->GetVideoPosition(&source, &destination), S_OK);
    EXPECT_EQ(destination.left, client.left);
    EXPECT_EQ(destination.top, client.top);
    EXPECT_EQ(destination.right, client.right);
    EXPECT_EQ(destination.bottom, client.bottom);
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(GeometryReal, RepaintGivesTheRenderersAnswer)
{
    HDC dc = GetDC(window.Handle());
    const HRESULT direct = Inside(engine).windowlessControl()->RepaintVideo(window.Handle(), dc);
    ReleaseDC(window.Handle(), dc);
    // Before a video is connected Wine's renderer has no device to paint with.
    EXPECT_EQ(direct, VFW_E_WRONG_STATE);
    EXPECT_EQ(engine.Repaint(), SUCCEEDED(direct) ? 1 : 0);
    EXPECT_NE(std::string(engine.LastError()).find("Can't repaint : COM Error 0x80040227"), std::string::npos);
    TestWindow::PumpMessages();
}

TEST_F(GeometryReal, NoSnapshotWithoutMediaAndNoFileMade)
{
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string path = std::string(temp) + "corvane-real-snapshot.bmp";
    DeleteFileA(path.c_str());
    EXPECT_EQ(engine.SaveCurrentImage(path.c_str()), 0);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
