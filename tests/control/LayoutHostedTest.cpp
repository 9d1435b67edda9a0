// The video window's placement read back from the platform after a resize of the control's
// window: the aspect fit's worked sizes with real clips of those native sizes, and the whole
// client area without the fit.
#include "HostedCorvane.h"

namespace {

struct LayoutCase
{
    const char* name;
    const char* clip;
    BOOL keepAspect;
    int clientWidth, clientHeight;
    RECT expected;  // in the control's client coordinates
};

void PrintTo(const LayoutCase& c, std::ostream* out)
{
    *out << c.name;
}

class LayoutHosted : public HostedCorvane, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(LayoutHosted, VideoWindowIsPlacedAsTheFitComputes)
{
    const LayoutCase& c = GetParam();
    // Under Wine the mixer refuses the z-order, so the load counts as failed and hides the
    // video window; the file is in the graph all the same and the layout shows the window.
    Load(c.clip);
    ASSERT_GT(control->engine.GetVideoWidth(), 0) << control->engine.LastError();
    control->XAspectRatio = c.keepAspect;
    // The control's window has no frame: its client area is the size given here.
    SetWindowPos(control->GetControlWindow(), nullptr, 0, 0, c.clientWidth, c.clientHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    RECT placed = {};
    GetWindowRect(control->videoWindow, &placed);
    MapWindowPoints(nullptr, control->GetControlWindow(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, c.expected.left);
    EXPECT_EQ(placed.top, c.expected.top);
    EXPECT_EQ(placed.right, c.expected.right);
    EXPECT_EQ(placed.bottom, c.expected.bottom);
    RECT client = {};
    GetClientRect(control->videoWindow, &client);
    EXPECT_EQ(client.right, c.expected.right - c.expected.left);
    EXPECT_EQ(client.bottom, c.expected.bottom - c.expected.top);
    EXPECT_TRUE(IsWindowVisible(control->videoWindow));
}

INSTANTIATE_TEST_SUITE_P(
    Fits, LayoutHosted,
    ::testing::Values(LayoutCase{"Keep640x480In400x400", "video640x480.avi", TRUE, 400, 400, {0, 50, 400, 350}},
                      LayoutCase{"Keep320x240In800x300", "video.avi", TRUE, 800, 300, {200, 0, 600, 300}},
                      LayoutCase{"Keep720x576In500x400", "video720x576.avi", TRUE, 500, 400, {0, 0, 499, 400}},
                      LayoutCase{"Fill640x480In400x400", "video640x480.avi", FALSE, 400, 400, {0, 0, 400, 400}},
                      LayoutCase{"Fill720x576In500x400", "video720x576.avi", FALSE, 500, 400, {0, 0, 500, 400}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

}  // namespace
