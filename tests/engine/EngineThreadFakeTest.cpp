// The monitor thread's calls racing the window thread's loads, plays and closes.
#include "EngineFixture.h"

#include <atomic>
#include <thread>

namespace {

using EngineThreadFake = FakeEngine;

TEST_F(EngineThreadFake, PollingAndSeekingWhileLoadingAndClosingNeitherCrashesNorLeaks)
{
    constexpr int kCycles = 100;
    std::atomic<bool> done{false};
    std::atomic<int> answeredPolls{0};
    std::atomic<int> monitorCalls{0};

    // What the monitor thread does every 100 ms, without the wait.
    std::thread monitor([&] {
        for (int i = 0; !done; ++i) {
            if (engine.IsPlaybackFinished()) {
                engine.SetPlaybackFinished(0);
                engine.SetSliderPosition(i % 1000);
            } else if (engine.PollPlayback() > 0) {
                ++answeredPolls;
            }
            if (i % 7 == 0)
                engine.Stop();
            engine.GetPosition();
            ++monitorCalls;
        }
    });

    for (int cycle = 0; cycle < kCycles; ++cycle) {
        ASSERT_EQ(Load("zero.avi", 0), 1) << engine.LastError();
        ASSERT_EQ(Load("one.avi", 1, cycle % 2), 1) << engine.LastError();
        // Somewhere inside the media, so polls have something to answer.
        engine.SetPosition(5.0);
        if (cycle % 10 == 0)
            engine.Play();
        ASSERT_EQ(Load("again.avi", 0), 1) << engine.LastError();
        engine.CloseGraph();
    }
    done = true;
    monitor.join();

    EXPECT_EQ(engine.State(), GRAPH_CLOSED);
    EXPECT_FALSE(Inside(engine).graph());
    EXPECT_EQ(platform.Made("graph"), static_cast<size_t>(kCycles));
    EXPECT_EQ(platform.Rot().Count(), 0u);
    EXPECT_GT(monitorCalls.load(), 0);
    // The reference balance of every fake is checked as the test ends.
}

TEST_F(EngineThreadFake, AnOperationOnOneThreadHoldsOffTheOtherUntilItEnds)
{
    ASSERT_EQ(Load("zero.avi", 0), 1);
    std::atomic<bool> entered{false};
    std::atomic<bool> pollFinished{false};
    std::atomic<bool> pollFinishedWhileLoading{false};
    std::thread monitor;
    // While the graph builder renders a pin inside a load, a poll from the monitor thread
    // must wait for the load to end.
    platform.OnCall("IGraphBuilder::Render", [&](const CallRecord&) {
        if (entered.exchange(true))
            return;
        monitor = std::thread([&] {
            engine.PollPlayback();
            pollFinished = true;
        });
        Sleep(200);
        pollFinishedWhileLoading = pollFinished.load();
    });
    ASSERT_EQ(Load("one.avi", 1), 1);
    monitor.join();
    EXPECT_TRUE(entered.load());
    EXPECT_TRUE(pollFinished.load());
    EXPECT_FALSE(pollFinishedWhileLoading.load());
}

}  // namespace
