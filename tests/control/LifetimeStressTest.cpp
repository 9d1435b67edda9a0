// Load, Play, Stop and destroy over and over, and the natural end racing Stop and the
// destructor: no deadlock (the test would time out), no crash, no thread or handle left behind.
// CI runs a bounded number of cycles; CORVANE_CONTROL_CYCLES sets another (1000 for the full
// runs, given in the README's control benchmark section).
#include "HostedCorvane.h"

#include <tlhelp32.h>

#include <cstdlib>

#include "fakes/FakePlatform.h"

namespace {

struct ProcessCounts
{
    long threads = 0;
    DWORD handles = 0;
};

ProcessCounts Counts()
{
    ProcessCounts counts;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++counts.threads;
    CloseHandle(snapshot);
    EXPECT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &counts.handles));
    return counts;
}

int CyclesOr(int bounded)
{
    const char* given = std::getenv("CORVANE_CONTROL_CYCLES");
    return given ? std::atoi(given) : bounded;
}

class LifetimeStress : public HostedCorvane
{
protected:
    // One cycle on a freshly hosted control; it ends with the next one hosted.
    // `endEarly` seconds before the end a seek sends playback there, and a pause of 0-250 ms
    // lets the monitor's end detection race Stop (even cycles) or the destructor (odd ones).
    void Cycle(int index, const char* clip, bool raceTheEnd, double endEarly)
    {
        Load(clip);
        control->Play();
        if (raceTheEnd) {
            control->SetPosition(control->GetDuration() - endEarly);
            PumpFor(static_cast<DWORD>(index * 37 % 250));
            if (index % 2 == 0)
                control->Stop();
        } else {
            control->Stop();
        }
        Release();
        Host(400, 300);
    }
    void Run(int cycles, const char* clip, bool raceTheEnd, double endEarly, long threadSlack, DWORD handleSlack)
    {
        for (int i = 0; i < 2; ++i)
            Cycle(i, clip, raceTheEnd, endEarly);
        const ProcessCounts before = Counts();
        for (int i = 0; i < cycles; ++i)
            Cycle(i, clip, raceTheEnd, endEarly);
        PumpFor(300);
        const ProcessCounts after = Counts();
        std::printf("%d cycles: threads %ld -> %ld, handles %lu -> %lu\n", cycles, before.threads, after.threads,
                    static_cast<unsigned long>(before.handles), static_cast<unsigned long>(after.handles));
        EXPECT_LE(after.threads, before.threads + threadSlack);
        EXPECT_LE(after.handles, before.handles + handleSlack);
    }
};

class LifetimeStressFake : public LifetimeStress
{
protected:
    FakePlatform platform;
};

TEST_F(LifetimeStressFake, LoadPlayStopDestroy)
{
    Run(CyclesOr(100), "video.avi", false, 0.0, 0, 0);
}

TEST_F(LifetimeStressFake, NaturalEndRacesStopAndTheDestructor)
{
    Run(CyclesOr(100), "video.avi", true, 0.0, 0, 0);
}

// The real platform keeps some threads and handles of its own for a while; a leak of the
// control's would grow with the cycles.
TEST_F(LifetimeStress, RealLoadPlayStopDestroy)
{
    Run(CyclesOr(5), "video.avi", false, 0.0, 3, 30);
}

TEST_F(LifetimeStress, RealNaturalEndRacesStopAndTheDestructor)
{
    Run(CyclesOr(5), "video.avi", true, 0.15, 3, 30);
}

}  // namespace
