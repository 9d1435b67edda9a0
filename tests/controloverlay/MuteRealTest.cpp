// XMute against the real platform: the control's engine playing a clip with sound into a window
// of the test's own, the volume read back from the graph's own audio interface.
#include "support/OleTest.h"

#include <memory>

#include "CorvaneDispids.h"
#include "OwnedControl.h"
#include "support/DispatchCalls.h"
#include "support/MemoryStreams.h"
#include "support/TestMedia.h"
#include "support/TestWindow.h"
#include "engine/EngineInternals.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr LONG kSilence = -10000;

class MuteReal : public OleTest
{
protected:
    TestWindow window;
    std::unique_ptr<OwnedControl> control;

    void SetUp() override
    {
        OleTest::SetUp();
        ASSERT_NE(window.Handle(), nullptr) << "no display?";
        control = std::make_unique<OwnedControl>();
        // A top-level window: the renderer draws into it as into the control's video window.
        CVMR9Graph& engine = (*control)->engine;
        ASSERT_EQ(engine.SetVideoWindow(window.Handle()), 1);
        ASSERT_EQ(engine.SetMediaFile(TestMediaPath("av.avi").c_str(), 0, TRUE), 1) << engine.LastError();
        ASSERT_TRUE(Inside(engine).basicAudio());
    }
    void TearDown() override
    {
        if (control)
            (*control)->Stop();
        control.reset();
        OleTest::TearDown();
    }

    LONG PlatformVolume() const
    {
        LONG volume = 1;
        EXPECT_EQ(Inside((*control)->engine).basicAudio()->get_Volume(&volume), S_OK);
        return volume;
    }
    void PutMute(bool mute) const
    {
        ASSERT_EQ(PutProperty(control->As<IDispatch>().Get(), DISPID_CORVANE_XMUTE, Variant::Bool(mute)).hr, S_OK);
    }
};

TEST_F(MuteReal, LoadedMuteWaitsForPlayWhilePutsActAtOnce)
{
    ASSERT_EQ(PlatformVolume(), 0);

    // Saved data with XMute true, loaded into the control that is ready to play.
    OwnedControl muted;
    ASSERT_EQ(muted.As<IPersistStreamInit>()->InitNew(), S_OK);
    muted->XMute = TRUE;
    ComPtr<IStream> stream = NewMemoryStream();
    ASSERT_EQ(muted.As<IPersistStreamInit>()->Save(stream.Get(), TRUE), S_OK);
    ASSERT_EQ(control->As<IPersistStreamInit>()->Load(StreamWithBytes(AllBytesOf(stream.Get())).Get()), S_OK);
    EXPECT_EQ((*control)->XMute, TRUE);
    EXPECT_EQ(PlatformVolume(), 0) << "a load runs no change handler";

    (*control)->Play();
    EXPECT_EQ(PlatformVolume(), kSilence) << "the loaded value takes effect at Play";

    PutMute(false);
    EXPECT_EQ(PlatformVolume(), 0) << "no volume set yet: 100";
    (*control)->SetAudioVolume(60);
    ASSERT_EQ(PlatformVolume(), -4000);
    PutMute(true);
    EXPECT_EQ(PlatformVolume(), kSilence);
    PutMute(false);
    EXPECT_EQ(PlatformVolume(), -4000) << "back to the last volume set";
}

}  // namespace
