// The hidden top-level window that the engine's own Direct3D device is created on.
#pragma once

#include <windows.h>

// The engine's device only makes off-screen pictures for the mixer and never presents, so it
// needs a window of its own rather than the renderer's: Wine cannot keep two devices of two
// threads on one child window, and the host dies of an X error once playback starts.
class CDeviceWindow
{
public:
    CDeviceWindow() = default;
    ~CDeviceWindow() { Destroy(); }
    CDeviceWindow(const CDeviceWindow&) = delete;
    CDeviceWindow& operator=(const CDeviceWindow&) = delete;

    // The window, made on the calling thread the first time; nullptr when it cannot be made.
    HWND Get();
    // Ends the window; from a thread other than its own, through that thread's messages.
    void Destroy();

private:
    HWND window = nullptr;
};
