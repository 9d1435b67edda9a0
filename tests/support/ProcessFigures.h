// The process's own counts that a leak would grow: threads, handles and private memory.
#pragma once

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <vector>

struct ProcessFigures
{
    long threads = 0;
    DWORD handles = 0;
    SIZE_T workingSet = 0;

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
        figures.handles = Handles();
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof(memory);
        if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory)))
            figures.workingSet = memory.WorkingSetSize;
        return figures;
    }

    // The process's handles as the system's handle table lists them (Wine answers 0 to
    // GetProcessHandleCount), or GetProcessHandleCount where the table cannot be read.
    static DWORD Handles()
    {
        struct Entry
        {
            ULONG process;
            BYTE type;
            BYTE flags;
            USHORT value;
            PVOID object;
            ACCESS_MASK access;
        };
        constexpr SYSTEM_INFORMATION_CLASS kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
        std::vector<BYTE> buffer(1 << 20);
        for (int attempt = 0; attempt < 6; ++attempt) {
            ULONG needed = 0;
            const NTSTATUS status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                                             static_cast<ULONG>(buffer.size()), &needed);
            if (status == 0) {
                const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
                const Entry* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
                DWORD own = 0;
                for (ULONG i = 0; i < count; ++i)
                    own += entries[i].process == GetCurrentProcessId();
                return own;
            }
            buffer.resize(buffer.size() * 2);
        }
        DWORD handles = 0;
        GetProcessHandleCount(GetCurrentProcess(), &handles);
        return handles;
    }

    // "threads a -> b, handles c -> d, working set e -> f KB"
    static void Print(const char* what, const ProcessFigures& before, const ProcessFigures& after)
    {
        std::printf("%s: threads %ld -> %ld, handles %lu -> %lu, working set %lu -> %lu KB\n", what,
                    before.threads, after.threads, static_cast<unsigned long>(before.handles),
                    static_cast<unsigned long>(after.handles), static_cast<unsigned long>(before.workingSet / 1024),
                    static_cast<unsigned long>(after.workingSet / 1024));
        std::fflush(stdout);
    }
};
