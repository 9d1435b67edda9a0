// An engine whose graph is built on the fake platform, drawing into a real window: a fake
// four-stream mixer in windowless mode that knows a 640 x 480 native size even before media is
// connected. A layer counts as loaded once it holds a source filter (Load).
#pragma once

#include <gtest/gtest.h>

#include "VMR9Graph.h"
#include "fakes/FakePlatform.h"
#include "support/TestWindow.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

class FakeBuiltEngine : public ::testing::Test
{
protected:
    FakePlatform platform;  // declared first: outlives everything the engine made
    TestWindow window;
    CVMR9Graph engine;

    void SetUp() override
    {
        ASSERT_NE(window.Handle(), nullptr) << "no display?";
        platform.defaults.vmr.sizeWithoutVideo = true;
        ASSERT_EQ(engine.SetVideoWindow(window.Handle()), 1);
        ASSERT_EQ(engine.BuildGraph(), 1) << engine.lastError;
        engine.state = GRAPH_STOPPED;
        ASSERT_TRUE(engine.mixerControl && engine.windowlessControl);
        platform.Log().Clear();
        engine.lastError[0] = '\0';
    }

    void TearDown() override
    {
        engine.CloseGraph();
        EXPECT_EQ("", platform.ReferenceReport()) << platform.Log().Dump();
    }

    void Load(int layer)
    {
        engine.sourceFilters[layer] = FakeFilter::MakeSource({{L"Video", MEDIATYPE_Video}});
    }

    FakeVmr& Vmr() { return platform.Vmr(); }
    std::string LastError() const { return engine.lastError; }
    size_t MixerCalls() const
    {
        return CallLog::Instance().Sequence("IVMRMixerControl9::").size();
    }
};

// The text ReportError writes for a code the fake platform describes, up to the description.
inline std::string ReportedAs(const std::string& message, HRESULT code)
{
    char text[64];
    std::snprintf(text, sizeof text, " : COM Error 0x%x, ", static_cast<unsigned>(code));
    return "[ERROR in VMR9Graph, line 410] " + message + text;
}

#define EXPECT_REPORTED(engine, message, code) \
    EXPECT_EQ(std::string((engine).lastError).rfind(ReportedAs(message, code), 0), 0u) \
        << "lastError: " << (engine).lastError

// Floats compared bit for bit.
inline uint32_t Bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
