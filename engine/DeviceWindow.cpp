// The hidden top-level window of the engine's own Direct3D device.
#include "DeviceWindow.h"

HWND CDeviceWindow::Get()
{
    if (!window)
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    return window;
}

void CDeviceWindow::Destroy()
{
    if (!window)
        return;
    // Only the thread that made a window may destroy it; its default handling of WM_CLOSE does.
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        DestroyWindow(window);
    else
        PostMessageA(window, WM_CLOSE, 0, 0);
    window = nullptr;
}
