// Every platform call the control's paths make, failed once: the table of calls is what a run
// of load, play, overlay, effect, snapshot, stop and destroy makes on the fake platform, and
// each call is then failed at its first occurrence (CORVANE_FAULT_EVERY_CALL=1: at each later
// one too). The control's methods still return, and the engine's message is recorded. The
// methods are shared out over four shards, each a test of its own.
#include "control/HostedCorvane.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include "ScratchFolder.h"
#include "support/StressCounts.h"
#include "Watchdog.h"
#include "fakes/FakePlatform.h"
#include "fakes/PackedDib.h"
#include "support/TestImages.h"

namespace {

constexpr int kShards = 4;

// Calls whose failure the engine carries on from without a message, because the failure is an
// answer: queries with a fallback (no volume means no usable sound, no video size means 0 x 0,
// no frame stepping means none), searches that try the next candidate, removals of filters
// that may never have joined the graph, and the debugging registration of the graph. Every other call must leave a message when it fails.
const std::set<std::string> kFailingSilently = {
    "GetRunningObjectTable", "IRunningObjectTable::Register", "IBaseFilter::QueryFilterInfo",
    "IEnumFilters::Next", "IEnumMediaTypes::Next", "IEnumMediaTypes::Reset", "IFilterGraph::EnumFilters",
    "IFilterGraph::RemoveFilter", "IPin::ConnectionMediaType", "IPin::EnumMediaTypes", "IPin::QueryDirection", "IPin::QueryPinInfo",
    "IMediaControl::GetState", "IBasicAudio::get_Volume", "IVMRMonitorConfig9::GetMonitor",
    "IVMRWindowlessControl9::GetNativeVideoSize", "IVideoFrameStep::CanStep"};
// Calls whose first failure stops a load with a message, while later ones are searches through
// the chains of filters (no further pin or filter) or queries for interfaces the engine does
// without until an operation needs them, which then says so.
const std::set<std::string> kSearchingAfterTheirFirstCall = {"IBaseFilter::EnumPins", "IEnumPins::Next",
                                                             "IPin::ConnectedTo", "IUnknown::QueryInterface"};

class FaultInjection : public HostedCorvane, public ::testing::WithParamInterface<int>
{
protected:
    std::unique_ptr<FakePlatform> platform = NewPlatform();
    ScratchFolder scratch{"corvane-faults"};

    // The control's paths, up to the destroy; returns the engine's message at the end.
    std::string RunUntilDestroy()
    {
        Load("av.avi", 0, TRUE);
        Load("video.avi", 1, FALSE);
        control->Play();
        control->SetLayerAlpha(1, 50);
        control->SetText(L"reliability", 10, 10);
        control->SetOverlayBitmap(Widened(test_images::Bmp()).c_str(), 10, 20, 100, 50, 80);
        control->SlideEffect();
        control->StrobeEffect();
        // A few ticks of the playing and effect timers (an effect tick sleeps 125 ms).
        for (int i = 0; i < 3; ++i) {
            Sleep(60);
            TestWindow::PumpMessagesAtMost(2);
        }
        control->SetPosition(0.5);
        control->GetSliderPosition();
        control->SetAudioVolume(-100);
        control->GetCurrentImage(Widened(scratch.File("shot.bmp")).c_str());
        control->Pause();
        control->Pause();
        control->Stop();
        control->DisableText();
        control->DisableOverlayBitmap();
        return control->engine.LastError();
    }

    // A platform whose mixer has a picture to hand out, so the snapshot succeeds unless failed.
    static std::unique_ptr<FakePlatform> NewPlatform()
    {
        auto made = std::make_unique<FakePlatform>();
        made->defaults.vmr.currentImage = MakePackedDib(16, 16, 32);
        return made;
    }

    // A fresh platform and control for each run.
    void Restart()
    {
        Release();
        platform.reset();
        platform = NewPlatform();
        Host(400, 300);
    }
};

TEST_P(FaultInjection, EachPlatformCallFailedOnceLeavesTheControlWorkingAndSaysWhy)
{
    ASSERT_EQ(RunUntilDestroy(), "") << "the run without failures records no message";
    const size_t beforeDestroy = platform->Log().All().size();
    Release();
    // The table: every platform method, how often the run calls it, and whether only the destroy does.
    std::map<std::string, int> table;
    std::map<std::string, bool> onlyInDestroy;
    const std::vector<CallRecord> calls = platform->Log().All();
    for (size_t i = 0; i < calls.size(); ++i) {
        const bool inDestroy = i >= beforeDestroy;
        onlyInDestroy.emplace(calls[i].method, inDestroy);
        onlyInDestroy[calls[i].method] = onlyInDestroy[calls[i].method] && inDestroy;
        ++table[calls[i].method];
    }
    const bool everyCall = CountFromEnvironment("CORVANE_FAULT_EVERY_CALL", 0) != 0;
    Watchdog watchdog(10000);
    int runs = 0;
    int index = 0;
    std::string silent;
    for (const auto& [method, count] : table) {
        if (index++ % kShards != GetParam())
            continue;
        for (int occurrence = 1; occurrence <= (everyCall ? count : 1); ++occurrence) {
            Restart();
            auto seen = std::make_shared<int>(0);
            platform->FailWhen(method, E_FAIL, [seen, occurrence](const CallRecord&) { return ++*seen == occurrence; },
                               1);
            const std::string run = method + " failed at call " + std::to_string(occurrence);
            watchdog.Arm(run);
            const std::string message = RunUntilDestroy();
            const bool reachedBeforeDestroy = *seen >= occurrence;
            Release();
            watchdog.Disarm();
            ++runs;
            // A failure the run reached before the destroy must be told.
            const bool mayBeSilent = kFailingSilently.count(method) ||
                                     (occurrence > 1 && kSearchingAfterTheirFirstCall.count(method));
            if (reachedBeforeDestroy && !mayBeSilent && message.empty())
                silent += "\n  " + run;
        }
    }
    std::printf("%zu platform methods in the table, %d runs with one failure each in shard %d\n", table.size(), runs,
                GetParam());
    index = 0;
    for (const auto& [method, count] : table)
        if (index++ % kShards == GetParam())
            std::printf("  %-48s %3d call(s)%s\n", method.c_str(), count, onlyInDestroy[method] ? " (destroy only)" : "");
    EXPECT_EQ(silent, "") << "failures that left no message";
}

INSTANTIATE_TEST_SUITE_P(Shards, FaultInjection, ::testing::Range(0, kShards));

}  // namespace
