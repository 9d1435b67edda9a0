// Stock mouse events from real window messages sent to the hosted control's window, counted by
// a sink of the test's own connected through the connection point.
#include "HostedControl.h"

#include <ocidl.h>
#include <olectl.h>

#include "EventSink.h"
#include "TestControlIds.h"

using Microsoft::WRL::ComPtr;

namespace {

class MouseEvents : public HostedControl
{
protected:
    EventSink sink{DIID_DTestControlEvents};
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;

    void SetUp() override
    {
        HostedControl::SetUp();
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(unknown.As(&container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(DIID_DTestControlEvents, &point), S_OK);
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    }
    void TearDown() override
    {
        if (point)
            point->Unadvise(cookie);
        point.Reset();
        HostedControl::TearDown();
    }

    void Send(UINT message, WPARAM keys, int x, int y)
    {
        SendMessageA(ControlWindow(), message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    // Button, Shift, x, y of the call at `index`.
    std::vector<long> ArgumentsOf(size_t index) const { return sink.calls.at(index).values; }
};

TEST_F(MouseEvents, PressMoveReleaseFiresDownMoveUpAndClickWithButtonShiftAndPosition)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 10, 20);
    EXPECT_EQ(GetCapture(), ControlWindow()) << "the mouse is captured while the button is held";
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 30, 40);
    Send(WM_LBUTTONUP, 0, 31, 41);
    EXPECT_NE(GetCapture(), ControlWindow());

    EXPECT_EQ(sink.Sequence(), "-605 -606 -607 -600");
    EXPECT_EQ(ArgumentsOf(0), (std::vector<long>{1, 1, 10, 20}));
    EXPECT_EQ(ArgumentsOf(1), (std::vector<long>{1, 2, 30, 40}));
    EXPECT_EQ(ArgumentsOf(2), (std::vector<long>{1, 0, 31, 41}));
    EXPECT_TRUE(ArgumentsOf(3).empty());
    // Parameter types as the event table declares them: short, short, long, long.
    EXPECT_EQ(sink.calls[0].types, (std::vector<VARTYPE>{VT_I2, VT_I2, VT_I4, VT_I4}));
}

TEST_F(MouseEvents, RightAndMiddleButtonsAreTwoAndFour)
{
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 5, 6);
    Send(WM_RBUTTONUP, 0, 5, 6);
    Send(WM_MBUTTONDOWN, MK_MBUTTON, 7, 8);
    Send(WM_MBUTTONUP, 0, 7, 8);
    EXPECT_EQ(sink.Sequence(), "-605 -607 -600 -605 -607 -600");
    EXPECT_EQ(ArgumentsOf(0)[0], 2);
    EXPECT_EQ(ArgumentsOf(1)[0], 2);
    EXPECT_EQ(ArgumentsOf(3)[0], 4);
    EXPECT_EQ(ArgumentsOf(4)[0], 4);
}

TEST_F(MouseEvents, MoveCarriesEveryButtonHeldAndNoneWhenIdle)
{
    Send(WM_MOUSEMOVE, 0, 1, 2);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON | MK_MBUTTON, 3, 4);
    ASSERT_EQ(sink.Sequence(), "-606 -606");
    EXPECT_EQ(ArgumentsOf(0), (std::vector<long>{0, 0, 1, 2}));
    EXPECT_EQ(ArgumentsOf(1)[0], 7);
}

TEST_F(MouseEvents, DoubleClickFiresDblClickAndNoSecondClick)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Send(WM_LBUTTONUP, 0, 10, 10);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 10, 10);
    EXPECT_EQ(GetCapture(), ControlWindow());
    Send(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(sink.Sequence(), "-605 -607 -600 -601 -607");
    // A later plain click is a click again.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Send(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(sink.CountOf(DISPID_CLICK), 2);
}

TEST_F(MouseEvents, ReleaseOutsideTheClientAreaGivesMouseUpWithoutClick)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    // Captured, so the pointer may be left of and above the window: negative coordinates.
    Send(WM_MOUSEMOVE, MK_LBUTTON, -3, -4);
    Send(WM_LBUTTONUP, 0, -3, -4);
    EXPECT_EQ(sink.Sequence(), "-605 -606 -607");
    EXPECT_EQ(ArgumentsOf(1), (std::vector<long>{1, 0, -3, -4}));
    RECT client = {};
    GetClientRect(ControlWindow(), &client);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Send(WM_LBUTTONUP, 0, client.right + 5, 10);
    EXPECT_EQ(sink.CountOf(DISPID_CLICK), 0);
}

TEST_F(MouseEvents, CaptureIsHeldUntilTheLastButtonIsReleased)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 1, 1);
    Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 1, 1);
    Send(WM_LBUTTONUP, MK_RBUTTON, 1, 1);
    EXPECT_EQ(GetCapture(), ControlWindow());
    Send(WM_RBUTTONUP, 0, 1, 1);
    EXPECT_NE(GetCapture(), ControlWindow());
    EXPECT_EQ(sink.CountOf(DISPID_CLICK), 2);
}

TEST_F(MouseEvents, LosingTheCaptureCancelsTheClick)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 1, 1);
    ASSERT_EQ(GetCapture(), ControlWindow());
    SetCapture(host->Window());  // another window takes the mouse
    Send(WM_LBUTTONUP, 0, 1, 1);
    EXPECT_EQ(sink.Sequence(), "-605 -607");
    ReleaseCapture();
}

TEST_F(MouseEvents, AltComesFromTheKeyboardState)
{
    BYTE keys[256] = {};
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_MENU] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 2, 3);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    Send(WM_LBUTTONUP, 0, 2, 3);
    ASSERT_GE(sink.calls.size(), 2u);
    EXPECT_EQ(ArgumentsOf(0)[1], 2 | 4);
    EXPECT_EQ(ArgumentsOf(1)[1], 0);
}

TEST_F(MouseEvents, FrozenEventsAreNotFiredFromMessages)
{
    ComPtr<IOleControl> oleControl;
    ASSERT_EQ(unknown.As(&oleControl), S_OK);
    oleControl->FreezeEvents(TRUE);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 1, 1);
    Send(WM_LBUTTONUP, 0, 1, 1);
    oleControl->FreezeEvents(FALSE);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_NE(GetCapture(), ControlWindow()) << "capture still follows the buttons";
}

}  // namespace
