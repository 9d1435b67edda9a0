// Times loading and starting media in the engine, the CPU playback costs, and the memory that
// repeated load/close cycles leave behind. Usage: playback_bench <media folder>
// The folder holds av.avi (2 s MJPEG + PCM), as tests/media makes it.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "VMR9Graph.h"

namespace {

using namespace bench;

constexpr int kRuns = 5;


struct Bench
{
    HWND window;
    std::string clip;

    bool LoadLayers(CVMR9Graph& engine, int layers)
    {
        engine.SetVideoWindow(window);
        for (int layer = 0; layer < layers; ++layer)
            if (!engine.SetMediaFile(clip.c_str(), layer, TRUE)) {
                std::printf("load failed: %s\n", engine.LastError().c_str());
                return false;
            }
        return true;
    }

    std::vector<double> LoadTimes(int layers)
    {
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            CVMR9Graph engine;
            const double start = NowMs();
            if (!LoadLayers(engine, layers))
                break;
            times.push_back(NowMs() - start);
            engine.CloseGraph();
        }
        return times;
    }

    std::vector<double> PlayTimes()
    {
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            CVMR9Graph engine;
            if (!LoadLayers(engine, 1))
                break;
            const double start = NowMs();
            engine.Play();
            HRESULT answer = E_FAIL;
            while (engine.GraphState(&answer) != State_Running || answer != S_OK)
                Sleep(1);
            times.push_back(NowMs() - start);
            engine.CloseGraph();
        }
        return times;
    }

    // CPU milliseconds of this process per second of playback.
    std::vector<double> CpuPerSecond(int layers)
    {
        std::vector<double> costs;
        for (int run = 0; run < kRuns; ++run) {
            CVMR9Graph engine;
            if (!LoadLayers(engine, layers))
                break;
            engine.Play();
            const double cpuStart = ProcessCpuMs();
            const double wallStart = NowMs();
            PumpFor(1500);
            costs.push_back((ProcessCpuMs() - cpuStart) / ((NowMs() - wallStart) / 1000.0));
            engine.CloseGraph();
        }
        return costs;
    }

    void Cycles(int count)
    {
        for (int cycle = 0; cycle < count; ++cycle) {
            CVMR9Graph engine;
            LoadLayers(engine, 1);
            engine.CloseGraph();
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: playback_bench <media folder>\n");
        return 2;
    }
    Bench bench{MakeWindow(), std::string(argv[1]) + "\\av.avi"};
    if (GetFileAttributesA(bench.clip.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("no clip at %s\n", bench.clip.c_str());
        return 2;
    }
    // The first graph in a process pays for loading the platform's libraries; keep it out.
    bench.Cycles(1);

    PrintFigures("SetMediaFile, 1 layer (graph build included)", "ms", bench.LoadTimes(1));
    PrintFigures("SetMediaFile x4, 4 layers", "ms", bench.LoadTimes(4));
    PrintFigures("Play to a running graph (100 ms wait incl.)", "ms", bench.PlayTimes());
    PrintFigures("CPU per second of playback, 1 layer", "ms/s", bench.CpuPerSecond(1));
    PrintFigures("CPU per second of playback, 4 layers", "ms/s", bench.CpuPerSecond(4));

    bench.Cycles(9);
    const Memory after10 = ProcessMemory();
    bench.Cycles(190);
    const Memory after200 = ProcessMemory();
    std::printf("after 10 load/close cycles:  working set %8.1f MB, committed %8.1f MB\n", after10.workingSet,
                after10.committed);
    std::printf("after 200 load/close cycles: working set %8.1f MB, committed %8.1f MB\n", after200.workingSet,
                after200.committed);
    std::printf("growth over 190 cycles:      working set %+8.1f MB, committed %+8.1f MB (%+.1f KB per cycle)\n",
                after200.workingSet - after10.workingSet, after200.committed - after10.committed,
                (after200.committed - after10.committed) * 1024.0 / 190.0);
    return 0;
}
