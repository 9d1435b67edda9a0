// Times the control as a host sees it: LoadMediaFile to the first OnPlaying (with Play's own
// time shown apart), the delay from the clip's end to OnFinish, and the CPU per second of
// playback with one and with four layers. The control sits in Wine's ATL container and its
// events reach a sink through its connection point. Usage: control_bench <media folder>
// The folder holds av.avi (2 s MJPEG + PCM), as tests/media makes it.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "AnsiText.h"
#include "CorvaneCtrl.h"
#include "CorvaneDispids.h"
#include "CorvaneIds.h"
#include "EventSink.h"

using Microsoft::WRL::ComPtr;

namespace {

using namespace bench;

constexpr int kRuns = 5;

// The host's sink: notes when the first OnPlaying and the last OnFinish arrived.
struct TimingSink
{
    EventSink events{DIID__DCorvaneEvents};
    double firstPlaying = 0.0;
    double finished = 0.0;

    TimingSink(const TimingSink&) = delete;
    TimingSink& operator=(const TimingSink&) = delete;
    TimingSink()
    {
        events.duringCall = [this] {
            const DISPID dispid = events.calls.back().dispid;
            events.calls.clear();  // only the time matters, and a long run would pile calls up
            if (dispid == DISPID_CORVANE_ONPLAYING && firstPlaying == 0.0)
                firstPlaying = NowMs();
            if (dispid == DISPID_CORVANE_ONFINISH)
                finished = NowMs();
        };
    }
};

// Wine's ATL container, as a form would hold the control.
struct Container
{
    using WinInit = BOOL(WINAPI*)();
    using AttachControl = HRESULT(WINAPI*)(IUnknown*, HWND, IUnknown**);

    AttachControl attach = nullptr;

    bool Load()
    {
        HMODULE atl = LoadLibraryW(L"atl.dll");
        if (!atl)
            return false;
        auto init = reinterpret_cast<WinInit>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
        attach = reinterpret_cast<AttachControl>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxAttachControl")));
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CorvaneControlBench";
        return init && attach && init() && RegisterClassA(&wc);
    }
};

// One control in place in its own container window, with the sink connected.
struct Placed
{
    CCorvaneCtrl* control = new CCorvaneCtrl();
    ComPtr<IUnknown> unknown;
    ComPtr<IUnknown> site;
    ComPtr<IConnectionPoint> point;
    HWND window = nullptr;
    DWORD cookie = 0;

    Placed(Container& container, TimingSink& sink)
    {
        *unknown.GetAddressOf() = control->GetControllingUnknown();  // the reference it was born with
        window = CreateWindowExA(0, "CorvaneControlBench", "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640,
                                 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        container.attach(unknown.Get(), window, &site);
        ComPtr<IConnectionPointContainer> points;
        if (SUCCEEDED(unknown.As(&points)) && SUCCEEDED(points->FindConnectionPoint(DIID__DCorvaneEvents, &point)))
            point->Advise(&sink.events, &cookie);
    }
    ~Placed()
    {
        if (point)
            point->Unadvise(cookie);
        DestroyWindow(window);  // the container closes the control
        site.Reset();
        point.Reset();
    }
};

template <class Condition> void PumpUntil(Condition done, double milliseconds)
{
    const double end = NowMs() + milliseconds;
    while (!done() && NowMs() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(1);
    }
}

// The engine's own position, read without touching its end flag; -1 when it cannot be read.
REFERENCE_TIME RawPosition(CVMR9Graph& engine, REFERENCE_TIME& duration)
{
    REFERENCE_TIME position = 0;
    duration = 0;
    return engine.ReadDurationAndPosition(duration, position) ? position : -1;
}

struct Bench
{
    Container container;
    TimingSink sink;
    std::wstring clip;

    void LoadToFirstOnPlaying(std::vector<double>& total, std::vector<double>& play)
    {
        Placed placed(container, sink);
        sink.firstPlaying = 0.0;
        const double start = NowMs();
        placed.control->LoadMediaFile(clip.c_str(), 0, TRUE);
        const double playStart = NowMs();
        placed.control->Play();
        play.push_back(NowMs() - playStart);
        PumpUntil([&] { return sink.firstPlaying != 0.0; }, 3000);
        if (sink.firstPlaying != 0.0)
            total.push_back(sink.firstPlaying - start);
        placed.control->Stop();
    }

    // From the moment the position first stands at the duration to OnFinish.
    void EndToOnFinish(std::vector<double>& delays)
    {
        Placed placed(container, sink);
        sink.finished = 0.0;
        placed.control->LoadMediaFile(clip.c_str(), 0, TRUE);
        placed.control->Play();
        double reachedEnd = 0.0;
        PumpUntil(
            [&] {
                REFERENCE_TIME duration = 0;
                const REFERENCE_TIME position = RawPosition(placed.control->engine, duration);
                if (reachedEnd == 0.0 && duration > 0 && position >= duration)
                    reachedEnd = NowMs();
                return sink.finished != 0.0;
            },
            5000);
        if (reachedEnd != 0.0 && sink.finished != 0.0)
            delays.push_back(sink.finished - reachedEnd);
    }

    void CpuPerSecond(int layers, std::vector<double>& costs)
    {
        Placed placed(container, sink);
        for (int layer = 0; layer < layers; ++layer)
            placed.control->LoadMediaFile(clip.c_str(), static_cast<short>(layer), TRUE);
        placed.control->Play();
        const double cpuStart = ProcessCpuMs();
        const double wallStart = NowMs();
        PumpUntil([] { return false; }, 1500);
        costs.push_back((ProcessCpuMs() - cpuStart) / ((NowMs() - wallStart) / 1000.0));
        placed.control->Stop();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: control_bench <media folder>\n");
        return 2;
    }
    OleInitialize(nullptr);
    Bench bench;
    const std::string clip = std::string(argv[1]) + "\\av.avi";
    bench.clip = WideFromAnsi(clip);
    if (GetFileAttributesA(clip.c_str()) == INVALID_FILE_ATTRIBUTES || !bench.container.Load()) {
        std::printf("no clip at %s, or no ATL container\n", clip.c_str());
        return 2;
    }
    std::vector<double> total, play, endDelays, cpu1, cpu4;
    // The first graph in a process pays for loading the platform's libraries; keep it out.
    bench.LoadToFirstOnPlaying(total, play);
    total.clear();
    play.clear();
    for (int run = 0; run < kRuns; ++run)
        bench.LoadToFirstOnPlaying(total, play);
    for (int run = 0; run < kRuns; ++run)
        bench.EndToOnFinish(endDelays);
    for (int run = 0; run < kRuns; ++run)
        bench.CpuPerSecond(1, cpu1);
    for (int run = 0; run < kRuns; ++run)
        bench.CpuPerSecond(4, cpu4);

    PrintFigures("LoadMediaFile to the first OnPlaying", "ms", total);
    PrintFigures("  of which Play (layout + 100 ms wait incl.)", "ms", play);
    PrintFigures("end of the clip to OnFinish", "ms", endDelays);
    PrintFigures("CPU per second of playback, 1 layer", "ms/s", cpu1);
    PrintFigures("CPU per second of playback, 4 layers", "ms/s", cpu4);
    OleUninitialize();
    return 0;
}
