// Clocks and the figure line shared by the benchmark programs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

inline double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// CPU time of this process, kernel and user, in milliseconds.
inline double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
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
