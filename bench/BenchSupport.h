// Clocks, CPU and memory readings, a message pump and a window: what every benchmark program
// here measures with.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

inline double NowMs()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Kernel and user time of this process so far.
inline double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

struct Memory
{
    double workingSet;  // MB
    double committed;   // MB (Wine answers no private-usage figure, only this)
};

inline Memory ProcessMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    constexpr double kMegabyte = 1024.0 * 1024.0;
    return {static_cast<double>(counters.WorkingSetSize) / kMegabyte,
            static_cast<double>(counters.PagefileUsage) / kMegabyte};
}

// Lets the thread's messages run for that long.
inline void PumpFor(double milliseconds)
{
    const double end = NowMs() + milliseconds;
    while (NowMs() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

// A shown top-level window for the video to be drawn into.
inline HWND MakeWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CorvaneBenchWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

// One line: min, median and max of the runs.
inline void PrintFigures(const char* what, const char* unit, std::vector<double> values)
{
    if (values.empty()) {
        std::printf("%-46s no runs\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("%-46s min %8.1f  median %8.1f  max %8.1f %s  (%zu runs)\n", what, values.front(),
                values[values.size() / 2], values.back(), unit, values.size());
}

}  // namespace bench
