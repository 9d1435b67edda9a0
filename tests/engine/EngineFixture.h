// One engine drawing into a real window, on the fake platform (EngineTest<FakePlatform>) or on
// the real one under Wine (EngineTest<RealPlatform>), with the build step most tests start from
// and the one check of what the engine last reported.
#pragma once

#include <gtest/gtest.h>

#include "VMR9Graph.h"
#include "engine/EngineInternals.h"
#include "fakes/FakePlatform.h"
#include "support/TestMedia.h"
#include "support/TestWindow.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

// The platform as it is: nothing faked.
struct RealPlatform
{
};

// Window, graph, no media: the state a load would have set, and nothing reported yet.
inline ::testing::AssertionResult BuildEngine(CVMR9Graph& engine, HWND window)
{
    if (engine.SetVideoWindow(window) != 1)
        return ::testing::AssertionFailure() << "SetVideoWindow failed: " << engine.LastError();
    if (engine.BuildGraph() != 1)
        return ::testing::AssertionFailure() << "BuildGraph failed: " << engine.LastError();
    Inside(engine).state() = GRAPH_STOPPED;
    Inside(engine).lastError()[0] = '\0';
    return ::testing::AssertionSuccess();
}

// What ReportError wrote for `message` and `code`: with the platform's description of the code
// after it (exactly `description` when one is given), or, for a code it cannot describe, the
// short form alone.
inline ::testing::AssertionResult LastErrorIs(const CVMR9Graph& engine, const std::string& message, HRESULT code,
                                              const std::string& description = "")
{
    char number[32];
    std::snprintf(number, sizeof number, " : COM Error 0x%x", static_cast<unsigned>(code));
    const std::string described = "[ERROR in VMR9Graph, line 410] " + message + number + ", ";
    const std::string shortForm = "[ERROR in VMR9Graph, line 412] " + message + number;
    const std::string reported = engine.LastError();
    const bool matches = description.empty()
                             ? reported.rfind(described, 0) == 0 || reported == shortForm
                             : reported == described + description;
    if (matches)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "lastError is \"" << reported << "\", expected \"" << described
                                         << (description.empty() ? "..." : description) << "\"";
}

// Floats compared bit for bit.
inline uint32_t Bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// kBuiltInSetUp: the build step runs before each test.
template <class PlatformKind, bool kBuiltInSetUp = false> class EngineTest : public ::testing::Test
{
protected:
    static constexpr bool kFake = std::is_same<PlatformKind, FakePlatform>::value;

    PlatformKind platform;  // first: outlives everything the engine made
    TestWindow window;
    CVMR9Graph engine;

    void SetUp() override
    {
        effectFlags = 0;  // one word for the whole process
        ASSERT_NE(window.Handle(), nullptr) << "no display?";
        if (kBuiltInSetUp)
            Build();
    }
    void TearDown() override
    {
        engine.CloseGraph();
        effectFlags = 0;
        if constexpr (kFake) {
            EXPECT_EQ("", platform.ReferenceReport()) << platform.Log().Dump();
        }
    }

    // The build step. On the fake platform the mixer knows its native size before any media,
    // and the call log starts empty after it.
    void Build()
    {
        if constexpr (kFake)
            platform.defaults.vmr.sizeWithoutVideo = true;
        ASSERT_TRUE(BuildEngine(engine, window.Handle()));
        ASSERT_TRUE(Inside(engine).windowlessControl() && Inside(engine).mixerControl() && Inside(engine).mixerBitmap());
        ASSERT_FALSE(Inside(engine).d3d()) << "Direct3D waits for the first picture";
        if constexpr (kFake)
            platform.Log().Clear();
    }

    // Loads a file (on the real platform, a generated test clip by its name) into a layer.
    int Load(const char* file, LONG layer = 0, BOOL haveSound = TRUE)
    {
        engine.SetVideoWindow(window.Handle());
        if constexpr (kFake)
            return engine.SetMediaFile(file, layer, haveSound);
        return engine.SetMediaFile(TestMediaPath(file).c_str(), layer, haveSound);
    }
    // Loads a clip and starts it, as the control's Play does.
    void LoadAndPlay(const char* file = "clip.avi")
    {
        ASSERT_EQ(Load(file), 1) << engine.LastError();
        ASSERT_EQ(engine.Play(), 1) << engine.LastError();
    }
    // A layer that holds a source filter counts as loaded, with no file behind it.
    void HoldSource(int layer) { Inside(engine).sourceFilters()[layer] = FakeFilter::MakeSource({{L"Video", MEDIATYPE_Video}}); }

    auto& Graph() { return platform.Graph(); }
    auto& Media() { return platform.Graph().settings; }
    auto& Vmr(int index = 0) { return platform.Vmr(index); }

    ::testing::AssertionResult LastErrorIs(const std::string& message, HRESULT code,
                                           const std::string& description = "") const
    {
        return ::LastErrorIs(engine, message, code, description);
    }
};

using FakeEngine = EngineTest<FakePlatform>;
using BuiltFakeEngine = EngineTest<FakePlatform, true>;
using RealEngine = EngineTest<RealPlatform>;
