// An engine driven against the fake platform, with a real window for the renderer to use.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "VMR9Graph.h"
#include "fakes/FakePlatform.h"
#include "support/TestWindow.h"

class FakeEngineTest : public ::testing::Test
{
protected:
    FakePlatform platform;
    TestWindow window;
    CVMR9Graph engine;

    void SetUp() override { ASSERT_NE(window.Handle(), nullptr); }
    void TearDown() override
    {
        engine.CloseGraph();
        EXPECT_EQ("", platform.ReferenceReport());
    }

    int Load(const char* file, LONG layer = 0, BOOL haveSound = TRUE)
    {
        engine.SetVideoWindow(window.Handle());
        return engine.SetMediaFile(file, layer, haveSound);
    }
    // Loads a clip and starts it, as the control's Play does.
    void LoadAndPlay(const char* file = "clip.avi")
    {
        ASSERT_EQ(Load(file), 1) << engine.lastError;
        ASSERT_EQ(engine.Play(), 1) << engine.lastError;
    }
    FakeFilterGraph& Graph() { return platform.Graph(); }
    FakeGraphSettings& Media() { return platform.Graph().settings; }

    // The report lastError holds for a message and its code, without the description.
    static std::string Reported(const char* message, HRESULT code)
    {
        char text[256];
        snprintf(text, sizeof text, "%s : COM Error 0x%x", message, static_cast<unsigned>(code));
        return text;
    }
    ::testing::AssertionResult LastErrorIs(const char* message, HRESULT code) const
    {
        const std::string expected = Reported(message, code);
        if (std::string(engine.lastError).find(expected) != std::string::npos)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "lastError is \"" << engine.lastError << "\", expected \""
                                             << expected << "\"";
    }
};
