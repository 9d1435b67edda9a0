// A real top-level window for tests that need one (the video renderer and Direct3D draw into it).
#pragma once

#include <windows.h>

class TestWindow final
{
public:
    explicit TestWindow(int width = 320, int height = 240, bool visible = true)
    {
        static const ATOM windowClass = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
            wc.lpszClassName = "CorvaneTestWindow";
            return RegisterClassA(&wc);
        }();
        (void)windowClass;
        handle = CreateWindowExA(0, "CorvaneTestWindow", "test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 0, 0, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (handle && visible)
            ShowWindow(handle, SW_SHOWNOACTIVATE);
    }
    ~TestWindow()
    {
        if (handle)
            DestroyWindow(handle);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return handle; }

    // Lets the window's queued messages run (the renderer posts to it).
    static void PumpMessages()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // At most `limit` messages: a control's effect tick sleeps on this thread, and a timer as
    // slow as its tick keeps PumpMessages busy for ever.
    static void PumpMessagesAtMost(int limit)
    {
        MSG msg;
        for (int i = 0; i < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

private:
    HWND handle = nullptr;
};
