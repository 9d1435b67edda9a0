// The engine driven at random on the real platform: seeded sequences of 50-300 calls with
// plausible and hostile arguments on two engines in one process, a second thread acting as the
// control's monitor, a watchdog that names any call taking over 10 s, and the invariants
// checked after each call. CI runs a few short seeds; scripts/stress runs one process per seed
// (CORVANE_DRIVER_SEED) with whole sequences (CORVANE_DRIVER_WHOLE=1).
// The monitor's timing is not seeded, so a rerun replays the calls but not their interleaving.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ScratchFolder.h"
#include "VMR9Graph.h"
#include "Watchdog.h"
#include "support/StressCounts.h"
#include "support/TestImages.h"
#include "support/TestMedia.h"
#include "support/TestWindow.h"
#include "engine/EngineInternals.h"

namespace {

constexpr int kEngines = 2;

// The files and texts a hostile caller passes; nullptr stands for a null pointer.
class DriverInputs
{
public:
    explicit DriverInputs(const ScratchFolder& scratch)
    {
        const std::string zeroByte = scratch.File("empty.avi");
        CloseHandle(CreateFileA(zeroByte.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const std::string accented = scratch.File("clip \xe9\xe8.avi");
        CopyFileA(TestMediaPath("video.avi").c_str(), accented.c_str(), FALSE);
        for (const char* clip : {"av.avi", "av.mp4", "video.avi", "sound.wav", "sound.mp3", "notmedia.avi"})
            owned.push_back(TestMediaPath(clip));
        owned.push_back(zeroByte);
        owned.push_back(accented);
        owned.push_back(scratch.File("missing.avi"));
        owned.push_back(scratch.File(std::string(2000, 'x') + ".avi"));
        owned.push_back("");
        for (const std::string& path : owned)
            files.push_back(path.c_str());
        files.push_back(nullptr);
        texts = {nullptr, "", "Corvane", longText.c_str(), "caf\xe9 \xfc"};
        pictures = {nullptr, "", bitmap.c_str(), owned[5].c_str(), owned[8].c_str()};
        snapshot = scratch.File("shot.bmp");
    }
    std::vector<const char*> files;
    std::vector<const char*> texts;
    std::vector<const char*> pictures;
    std::string snapshot;

private:
    std::vector<std::string> owned;
    std::string longText = std::string(2000, 'T');
    std::string bitmap = test_images::Bmp();
};

// A path or text as the trail shows it: its last 40 characters.
const char* Show(const char* text)
{
    return !text ? "null" : std::strlen(text) > 40 ? text + std::strlen(text) - 40 : text;
}

class EngineDriver : public ::testing::TestWithParam<unsigned>
{
protected:
    ScratchFolder scratch{"corvane-driver"};
    DriverInputs inputs{scratch};
    TestWindow windows[kEngines];
    CVMR9Graph engines[kEngines];
    std::mt19937 random;
    std::vector<std::string> trail;
    std::mutex monitorMutex;
    std::string monitorFault;
    std::atomic<bool> ending{false};
    // Odd seeds drive from a thread whose COM the host initialised as multithreaded.
    const DWORD apartment = GetParam() % 2 ? COINIT_MULTITHREADED : COINIT_APARTMENTTHREADED;

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    template <class T> T Pick(const std::vector<T>& choices) { return choices[static_cast<size_t>(Int(0, static_cast<int>(choices.size()) - 1))]; }
    double Seconds()
    {
        return Pick<double>({std::nan(""), -1.0, 0.0, 0.5, 1.0, 1.9, 2.5, 1e9, -1e9, HUGE_VAL, -HUGE_VAL, 9.2e11,
                             Int(0, 300) / 100.0});
    }
    LONG Layer() { return Int(-1, 12); }

    // One random call on `engine`; answers its description for the trail.
    std::string Step(CVMR9Graph& engine, HWND window)
    {
        char text[160];
        const int kind = Int(0, 29);
        switch (kind) {
        case 0: case 1: case 2: {
            const char* file = Pick(inputs.files);
            const LONG layer = Int(0, 4) == 0 ? Layer() : Int(0, 2);
            const BOOL sound = Int(0, 1);
            const bool wasLoaded = layer >= 0 && layer < LAYER_COUNT && engine.IsLayerLoaded(layer);
            const std::wstring before = layer >= 0 && layer < LAYER_COUNT ? engine.LayerFileName(layer) : L"";
            engine.SetVideoWindow(window);
            const int loaded = engine.SetMediaFile(file, layer, sound);
            std::snprintf(text, sizeof text, "SetMediaFile(%s, %ld, %d) = %d", Show(file), static_cast<long>(layer),
                          sound, loaded);
            if (!loaded && layer >= 0 && layer < LAYER_COUNT) {
                // A refused null name leaves the layer as it was; a failed load empties it.
                if (!file)
                    ExpectInvariant(engine.IsLayerLoaded(layer) == wasLoaded && engine.LayerFileName(layer) == before,
                                    "a refused null name left layer as it was", text);
                else
                    ExpectInvariant(!engine.IsLayerLoaded(layer), "a failed load leaves the layer empty", text);
            }
            return text;
        }
        case 3: case 4: return "Play = " + std::to_string(engine.Play());
        case 5: return "Stop = " + std::to_string(engine.Stop());
        case 6: return "Pause = " + std::to_string(engine.Pause());
        case 7: case 8: {
            const double seconds = Seconds();
            std::snprintf(text, sizeof text, "SetPosition(%g) = %d", seconds, engine.SetPosition(seconds));
            return text;
        }
        case 9: {
            const LONG slider = Pick<LONG>({-5, 0, 399, 500, 999, 1000, 1500, 0x7FFFFFFF, LONG(0x80000000)});
            engine.SetSliderPosition(slider);
            return "SetSliderPosition(" + std::to_string(slider) + ")";
        }
        case 10: {
            const int slider = engine.PollPlayback();
            std::snprintf(text, sizeof text, "PollPlayback = %d", slider);
            ExpectInvariant(slider >= 0 && slider <= CVMR9Graph::SLIDER_SCALE, "slider answer within 0-1000", text);
            return text;
        }
        case 11: {
            const double rate = Pick<double>({0.5, 1.0, 2.0, 3.0, 0.0, -1.0, std::nan("")});
            engine.SetPlaybackRate(rate);
            std::snprintf(text, sizeof text, "SetPlaybackRate(%g)", rate);
            return text;
        }
        case 12: {
            const LONG layer = Layer();
            const int alpha = Int(-5, 120);
            std::snprintf(text, sizeof text, "SetLayerAlpha(%ld, %d) = %d", static_cast<long>(layer), alpha,
                          engine.SetLayerAlpha(layer, alpha));
            return text;
        }
        case 13: {
            const LONG layer = Layer();
            const RECT pixels = {Int(-100, 400), Int(-100, 400), Int(-100, 800), Int(-100, 800)};
            std::snprintf(text, sizeof text, "SetLayerRect(%ld, {%ld,%ld,%ld,%ld}) = %d", static_cast<long>(layer),
                          pixels.left, pixels.top, pixels.right, pixels.bottom, engine.SetLayerRect(layer, pixels));
            return text;
        }
        case 14: { const LONG layer = Layer(); return "FlipLayer(" + std::to_string(layer) + ") = " + std::to_string(engine.FlipLayer(layer)); }
        case 15: { const LONG layer = Layer(); return "MirrorLayer(" + std::to_string(layer) + ") = " + std::to_string(engine.MirrorLayer(layer)); }
        case 16: engine.SwapLayers(); return "SwapLayers";
        case 17: { const LONG volume = Int(-10, 110); engine.SetAudioVolume(volume); return "SetAudioVolume(" + std::to_string(volume) + ")"; }
        case 18: { const LONG balance = Int(-20000, 20000); return "SetAudioBalance(" + std::to_string(balance) + ") = " + std::to_string(engine.SetAudioBalance(balance)); }
        case 19: {
            const char* words = Pick(inputs.texts);
            const int left = Int(-50, 500), top = Int(-50, 500);
            std::snprintf(text, sizeof text, "SetOverlayText(%s, %d, %d) = %d", Show(words), left, top,
                          engine.SetOverlayText(words, left, top));
            return text;
        }
        case 20: {
            const char* picture = Pick(inputs.pictures);
            const RECT pixels = {Int(-10, 100), Int(-10, 100), Int(0, 400), Int(0, 400)};
            const int alpha = Int(-5, 120);
            std::snprintf(text, sizeof text, "SetOverlayBitmap(%s, %d) = %d", Show(picture), alpha,
                          engine.SetOverlayBitmap(picture, alpha, 0xFFFFFF, pixels));
            return text;
        }
        case 21: engine.ToggleEffectFlags(Pick<LONG>({EFFECT_SLIDE, EFFECT_STROBE})); engine.SlideStep(); engine.StrobeStep(); return "ToggleEffectFlags, SlideStep, StrobeStep";
        case 22: return "SaveCurrentImage = " + std::to_string(engine.SaveCurrentImage(inputs.snapshot.c_str()));
        case 23: { const LONG frames = Int(-2, 3); return "StepFrame(" + std::to_string(frames) + ") = " + std::to_string(engine.StepFrame(frames)); }
        case 24: return "GetPositionHHMMSS = " + engine.GetPositionHHMMSS() + ", GetDurationHHMMSS = " + engine.GetDurationHHMMSS();
        case 25: return "SetAspectRatio = " + std::to_string(engine.SetAspectRatio(Int(0, 1)));
        case 26: { const LONG z = Int(-1, 12); return "SetLayerZOrder = " + std::to_string(engine.SetLayerZOrder(Layer(), z)); }
        case 27: { std::snprintf(text, sizeof text, "GetPosition = %g", engine.GetPosition()); return text; }
        default: {
            engine.CloseGraph();
            // The caller's COM initialisation is still there: a new apartment would answer S_OK.
            const HRESULT again = CoInitializeEx(nullptr, apartment);
            if (SUCCEEDED(again))
                CoUninitialize();
            ExpectInvariant(again == S_FALSE, "CloseGraph left the caller's COM initialisation", "CloseGraph");
            return "CloseGraph";
        }
        }
    }

    void ExpectInvariant(bool holds, const char* invariant, const std::string& call)
    {
        EXPECT_TRUE(holds) << "INVARIANT " << invariant << " broken by " << call << "\n" << Trail();
    }

    void ExpectInvariants(CVMR9Graph& engine, const std::string& call)
    {
        ExpectInvariant(engine.State() >= GRAPH_CLOSED && engine.State() <= GRAPH_PAUSED, "state within 0-3", call);
        ExpectInvariant(Inside(engine).playbackFinished() == 0 || Inside(engine).playbackFinished() == 1, "finished flag 0 or 1", call);
        const double duration = engine.GetDuration();
        ExpectInvariant(std::isfinite(duration) && duration >= 0.0, "duration finite and not negative", call);
        const double position = engine.GetPosition();
        ExpectInvariant(std::isfinite(position) && position >= 0.0 && position <= duration + 0.001,
                        "position within the media", call);
    }

    std::string Trail() const
    {
        std::string text = "sequence of seed " + std::to_string(GetParam()) + ":";
        for (const std::string& call : trail)
            text += "\n  " + call;
        return text;
    }

    // What the control's monitor thread does every 100 ms, on both engines.
    void Monitor(unsigned seed)
    {
        std::mt19937 monitorRandom(seed ^ 0x5EED);
        while (!ending) {
            Sleep(100);
            for (CVMR9Graph& engine : engines) {
                switch (monitorRandom() % 4) {
                case 0:
                case 1:
                    if (engine.IsPlaybackFinished() == 0) {
                        const int slider = engine.PollPlayback();
                        if (slider < 0 || slider > CVMR9Graph::SLIDER_SCALE) {
                            std::lock_guard<std::mutex> hold(monitorMutex);
                            monitorFault = "monitor's PollPlayback answered " + std::to_string(slider);
                        }
                    }
                    break;
                case 2:
                    engine.SetPlaybackFinished(0);
                    engine.SetSliderPosition(0);
                    break;
                default: engine.Stop(); break;
                }
            }
        }
    }
};

TEST_P(EngineDriver, RandomSequenceKeepsTheInvariants)
{
    const unsigned seed = GetParam();
    random.seed(seed);
    const int whole = 50 + static_cast<int>(seed * 7919u % 251u);
    const int calls = CountFromEnvironment("CORVANE_DRIVER_WHOLE", 0) ? whole : std::min(whole, 40);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, apartment)));
    std::thread monitor([this, seed] { Monitor(seed); });
    Watchdog watchdog(10000);
    for (int call = 0; call < calls && !HasFailure(); ++call) {
        const int which = Int(0, kEngines - 1);
        watchdog.Arm("seed " + std::to_string(seed) + " call " + std::to_string(call) + " on engine " +
                     std::to_string(which) + " after:\n" + Trail());
        const std::string done = Step(engines[which], windows[which].Handle());
        trail.push_back("engine " + std::to_string(which) + ": " + done);
        ExpectInvariants(engines[which], done);
        watchdog.Disarm();
        TestWindow::PumpMessages();
    }
    ending = true;
    monitor.join();
    {
        std::lock_guard<std::mutex> hold(monitorMutex);
        EXPECT_EQ(monitorFault, "") << "INVARIANT\n" << Trail();
    }
    watchdog.Arm("seed " + std::to_string(seed) + " closing");
    for (CVMR9Graph& engine : engines)
        engine.CloseGraph();
    watchdog.Disarm();
    CoUninitialize();
    std::printf("seed %u: %d calls\n", seed, calls);
}

std::vector<unsigned> DriverSeeds()
{
    if (const char* given = std::getenv("CORVANE_DRIVER_SEED"))
        return {static_cast<unsigned>(std::strtoul(given, nullptr, 10))};
    return {102, 202, 302};
}

INSTANTIATE_TEST_SUITE_P(Seeds, EngineDriver, ::testing::ValuesIn(DriverSeeds()));

}  // namespace
