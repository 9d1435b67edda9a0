// The process's own counts that a leak would grow: threads, handles and private memory.
#pragma once

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>

struct ProcessFigures
{
    long threads = 0;
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
    SIZE_T peakCommit = 0;

    static ProcessFigures Now()
    {
        ProcessFigures figures;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        THREADENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
            if (entry.th32OwnerProcessID == GetCurrentProcessId())
                ++figures.threads;
        CloseHandle(snapshot);
        GetProcessHandleCount(GetCurrentProcess(), &figures.handles);
        PROCESS_MEMORY_COUNTERS_EX memory = {};
        memory.cb = sizeof(memory);
        if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                 sizeof(memory))) {
            figures.privateBytes = memory.PrivateUsage;
            figures.peakCommit = memory.PeakPagefileUsage;
        }
        return figures;
    }

    // "threads a -> b, handles c -> d, private memory e -> f KB"
    static void Print(const char* what, const ProcessFigures& before, const ProcessFigures& after)
    {
        std::printf("%s: threads %ld -> %ld, handles %lu -> %lu, private memory %lu -> %lu KB\n", what,
                    before.threads, after.threads, static_cast<unsigned long>(before.handles),
                    static_cast<unsigned long>(after.handles), static_cast<unsigned long>(before.privateBytes / 1024),
                    static_cast<unsigned long>(after.privateBytes / 1024));
        std::fflush(stdout);
    }
};
