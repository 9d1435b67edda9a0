// One sample of one job, done either by the engine or by the floor: the same job in the leanest
// raw DirectShow calls (filter graph, VMR-9 windowless with 4 streams, per file a source and a
// DirectSound renderer, render, run until running). bench/floor runs both sides interleaved,
// a fresh process per sample, and compares them.
// Usage: floor_bench <engine|floor> <first|second|four|cpu1|cpu4|memory> <clip>
//        floor_bench engine pollwait <clip>   (the engine alone: its monitor poll's lock waits)
// Prints "<measure> <value>" lines.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <dshow.h>
#include <d3d9.h>
#include <vmr9.h>
#include <wrl/client.h>

#include "BenchSupport.h"
#include "VMR9Graph.h"

namespace {

using Microsoft::WRL::ComPtr;
using namespace bench;

// How long the engine's Play waits after starting the graph.
constexpr double kPlayWaitMs = 100.0;

// Waits until the graph has fully reached the running state; false after ten seconds.
template <class Running> bool WaitUntilRunning(Running running)
{
    const double limit = NowMs() + 10000.0;
    while (NowMs() < limit) {
        if (running())
            return true;
        Sleep(1);
    }
    return false;
}

class Side
{
public:
    virtual ~Side() = default;
    // Loads the clip into a layer; the first load builds the graph, a load while playing stops it.
    virtual bool Load(int layer) = 0;
    // Starts playback and waits until the graph runs.
    virtual bool Start() = 0;
    virtual void Close() = 0;
    // What Start waits beyond the graph's own start.
    virtual double StartWaitMs() const { return 0.0; }
};

class EngineSide final : public Side
{
public:
    EngineSide(HWND window, const std::string& clip) : window(window), clip(clip) {}
    bool Load(int layer) override
    {
        engine.SetVideoWindow(window);
        return engine.SetMediaFile(clip.c_str(), layer, TRUE) == 1;
    }
    bool Start() override
    {
        return engine.Play() == 1 && WaitUntilRunning([this] {
                   HRESULT answer = E_FAIL;
                   return engine.GraphState(&answer) == State_Running && answer == S_OK;
               });
    }
    void Close() override { engine.CloseGraph(); }
    double StartWaitMs() const override { return kPlayWaitMs; }

private:
    HWND window;
    std::string clip;
    CVMR9Graph engine;
};

class FloorSide final : public Side
{
public:
    FloorSide(HWND window, const std::string& clip) : window(window), clip(clip.begin(), clip.end()) {}
    bool Load(int layer) override
    {
        if (!builder && !Build())
            return false;
        control->Stop();
        wchar_t name[16];
        swprintf(name, 16, L"SRC%02d", layer);
        ComPtr<IBaseFilter> source, sound;
        if (FAILED(builder->AddSourceFilter(this->clip.c_str(), name, &source)))
            return false;
        swprintf(name, 16, L"DirectSound%d", layer);
        if (SUCCEEDED(CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&sound))))
            builder->AddFilter(sound.Get(), name);
        ComPtr<IEnumPins> pins;
        source->EnumPins(&pins);
        ComPtr<IPin> pin;
        while (pins && pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
            PIN_DIRECTION direction;
            ComPtr<IPin> peer;
            if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT &&
                FAILED(pin->ConnectedTo(&peer)))
                builder->Render(pin.Get());
        }
        return true;
    }
    // The picture is placed in the window, as the engine does: without a position the windowless
    // VMR-9 would present nothing and the floor would do less than the same job.
    bool Start() override
    {
        LONG width = 0, height = 0, aspectWidth = 0, aspectHeight = 0;
        windowless->GetNativeVideoSize(&width, &height, &aspectWidth, &aspectHeight);
        RECT source = {0, 0, width, height}, destination = {};
        GetClientRect(window, &destination);
        windowless->SetVideoPosition(&source, &destination);
        return SUCCEEDED(control->Run()) && WaitUntilRunning([this] {
            OAFilterState state = State_Stopped;
            return control->GetState(0, &state) == S_OK && state == State_Running;
        });
    }
    void Close() override
    {
        if (control)
            control->Stop();
        control.Reset();
        windowless.Reset();
        builder.Reset();
        CoUninitialize();
    }

private:
    bool Build()
    {
        CoInitialize(nullptr);
        ComPtr<IBaseFilter> vmr;
        if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&builder))) ||
            FAILED(CoCreateInstance(CLSID_VideoMixingRenderer9, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&vmr))) ||
            FAILED(builder->AddFilter(vmr.Get(), L"VMR9")))
            return false;
        ComPtr<IVMRFilterConfig9> config;
        if (SUCCEEDED(vmr.As(&config))) {
            config->SetRenderingMode(VMR9Mode_Windowless);
            config->SetNumberOfStreams(4);
        }
        if (FAILED(vmr.As(&windowless)))
            return false;
        windowless->SetVideoClippingWindow(window);
        return SUCCEEDED(builder.As(&control));
    }

    HWND window;
    std::wstring clip;
    ComPtr<IGraphBuilder> builder;
    ComPtr<IMediaControl> control;
    ComPtr<IVMRWindowlessControl9> windowless;
};

void Print(const char* measure, double value) { std::printf("%s %.1f\n", measure, value); }

// The engine's monitor thread polls every 100 ms; while the window thread loads, a poll waits
// for the engine's lock. Records the longest poll during loads and outside them.
struct PollWatch
{
    CVMR9Graph* engine;
    volatile LONG loading;
    volatile LONG stop;
    double longestLoading;
    double longestIdle;

    static DWORD WINAPI Run(void* context)
    {
        PollWatch& watch = *static_cast<PollWatch*>(context);
        while (!watch.stop) {
            const bool duringLoad = watch.loading != 0;
            const double start = NowMs();
            watch.engine->PollPlayback();
            const double took = NowMs() - start;
            double& longest = duringLoad || watch.loading ? watch.longestLoading : watch.longestIdle;
            if (took > longest)
                longest = took;
            Sleep(100);
        }
        return 0;
    }
};

bool PollWaits(HWND window, const std::string& clip)
{
    CVMR9Graph engine;
    engine.SetVideoWindow(window);
    if (!engine.SetMediaFile(clip.c_str(), 0, TRUE) || !engine.Play())
        return false;
    PollWatch watch = {&engine, 0, 0, 0.0, 0.0};
    HANDLE monitor = CreateThread(nullptr, 0, PollWatch::Run, &watch, 0, nullptr);
    for (int load = 0; load < 4; ++load) {
        PumpFor(500);
        watch.loading = 1;
        const bool loaded = engine.SetMediaFile(clip.c_str(), 1, TRUE) == 1;
        watch.loading = 0;
        if (!loaded || !engine.Play())
            break;
    }
    PumpFor(500);
    watch.stop = 1;
    WaitForSingleObject(monitor, INFINITE);
    CloseHandle(monitor);
    engine.CloseGraph();
    Print("poll-longest-during-loads", watch.longestLoading);
    Print("poll-longest-outside-loads", watch.longestIdle);
    return true;
}

// CPU milliseconds per second of playback with that many layers.
bool CpuPerSecond(Side& side, int layers)
{
    for (int layer = 0; layer < layers; ++layer)
        if (!side.Load(layer))
            return false;
    if (!side.Start())
        return false;
    PumpFor(300);
    const double cpu = ProcessCpuMs(), wall = NowMs();
    PumpFor(2000);
    Print(layers == 1 ? "cpu1" : "cpu4", (ProcessCpuMs() - cpu) / ((NowMs() - wall) / 1000.0));
    side.Close();
    return true;
}

bool RunJob(Side& side, const char* job)
{
    if (std::strcmp(job, "first") == 0) {
        const double start = NowMs();
        if (!side.Load(0))
            return false;
        const double loaded = NowMs();
        if (!side.Start())
            return false;
        const double running = NowMs();
        Print("first-load", loaded - start);
        Print("first-running", running - start);
        Print("first-running-nowait", running - start - side.StartWaitMs());
    } else if (std::strcmp(job, "second") == 0) {
        if (!side.Load(0) || !side.Start())
            return false;
        PumpFor(300);
        const double start = NowMs();
        if (!side.Load(1) || !side.Start())
            return false;
        Print("second-running", NowMs() - start);
    } else if (std::strcmp(job, "four") == 0) {
        const double start = NowMs();
        for (int layer = 0; layer < 4; ++layer)
            if (!side.Load(layer))
                return false;
        if (!side.Start())
            return false;
        Print("four-running", NowMs() - start);
    } else if (std::strcmp(job, "cpu1") == 0 || std::strcmp(job, "cpu4") == 0) {
        return CpuPerSecond(side, job[3] - '0');
    } else if (std::strcmp(job, "memory") == 0) {
        // The first cycles load the platform's libraries and caches; growth is counted after them.
        constexpr int kWarmUp = 5, kCounted = 30;
        double before = 0.0;
        for (int cycle = 0; cycle < kWarmUp + kCounted; ++cycle) {
            if (cycle == kWarmUp)
                before = ProcessMemory().committed;
            if (!side.Load(0))
                return false;
            side.Close();
        }
        Print("memory-kb-per-cycle", (ProcessMemory().committed - before) * 1024.0 / kCounted);
        return true;
    } else {
        return false;
    }
    side.Close();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::printf("usage: floor_bench <engine|floor> <first|second|four|cpu1|cpu4|memory> <clip>\n");
        return 2;
    }
    const HWND window = MakeWindow();
    if (std::strcmp(argv[2], "pollwait") == 0)
        return std::strcmp(argv[1], "engine") == 0 && PollWaits(window, argv[3]) ? 0 : 1;
    std::unique_ptr<Side> side;
    if (std::strcmp(argv[1], "engine") == 0)
        side = std::make_unique<EngineSide>(window, argv[3]);
    else
        side = std::make_unique<FloorSide>(window, argv[3]);
    if (!RunJob(*side, argv[2])) {
        std::printf("failed %s %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
