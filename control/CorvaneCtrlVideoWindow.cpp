// The video window: the child of the control's window that the engine's renderer draws into,
// created once per control and placed to fill the client area or keep the video's shape.
#include "CorvaneCtrl.h"

#include <commctrl.h>

void CCorvaneCtrl::CreateVideoWindow()
{
    if (!videoWindowPending)
        return;
    InitCommonControls();
    // Cleared first: the creation is attempted once per control, whether or not it works.
    videoWindowPending = FALSE;
    videoWindow = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, paintBounds.left,
                                  paintBounds.top, paintBounds.right - paintBounds.left,
                                  paintBounds.bottom - paintBounds.top, GetControlWindow(), nullptr, nullptr, nullptr);
    ShowWindow(videoWindow, SW_SHOW);
    BringWindowToTop(videoWindow);
}

void CCorvaneCtrl::LayoutVideoWindow()
{
    RECT client = {};
    GetClientRect(GetControlWindow(), &client);
    const long W = client.right;
    const long H = client.bottom;
    const long vw = engine.GetVideoWidth();
    const long vh = engine.GetVideoHeight();
    nativeWidth = vw;
    nativeHeight = vh;
    fittedWidth = W;
    fittedHeight = H;
    int x = 0;
    int y = 0;
    // Without a video size (no renderer yet, or sound only) the window fills the client area.
    if (vw != 0 && vh != 0) {
        // The height ratio is rounded to single precision; the width ratio divides by the
        // single-precision width and keeps double precision. volatile forces the rounding on
        // an FPU that computes in extended precision.
        volatile float rH = static_cast<float>(H) / static_cast<float>(vh);
        volatile float vwSingle = static_cast<float>(vw);
        volatile double rW = static_cast<double>(W) / static_cast<double>(vwSingle);
        const double heightRatio = rH;
        if (rW < heightRatio) {
            volatile double height = static_cast<double>(vh) * rW;
            fittedHeight = static_cast<long>(height);
            y = (H - fittedHeight) / 2;
        } else {
            volatile double width = static_cast<double>(vwSingle) * heightRatio;
            fittedWidth = static_cast<long>(width);
            x = (W - fittedWidth) / 2;
        }
    }
    if (XAspectRatio)
        SetWindowPos(videoWindow, HWND_TOP, x, y, fittedWidth, fittedHeight, SWP_SHOWWINDOW);
    else
        SetWindowPos(videoWindow, HWND_TOP, 0, 0, W, H, SWP_SHOWWINDOW);
    Sleep(10);
}

void CCorvaneCtrl::KeepVideoWindow()
{
    if (!videoWindow || !IsWindow(videoWindow))
        return;
    ShowWindow(videoWindow, SW_HIDE);
    SetParent(videoWindow, nullptr);
    const LONG_PTR style = GetWindowLongPtrA(videoWindow, GWL_STYLE);
    SetWindowLongPtrA(videoWindow, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
}

void CCorvaneCtrl::ReattachVideoWindow()
{
    const HWND window = GetControlWindow();
    if (!window || !videoWindow || !IsWindow(videoWindow) || GetAncestor(videoWindow, GA_PARENT) == window)
        return;
    const LONG_PTR style = GetWindowLongPtrA(videoWindow, GWL_STYLE);
    SetWindowLongPtrA(videoWindow, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
    SetParent(videoWindow, window);
}
