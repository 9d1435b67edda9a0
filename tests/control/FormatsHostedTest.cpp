// The common containers and codecs on the real platform, through the hosted control: each
// clip loads with its sound, reports its length and plays to OnFinish.
#include "HostedCorvane.h"
#include "engine/EngineInternals.h"

namespace {

class FormatsHosted : public HostedCorvane, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(FormatsHosted, LoadsWithItsDurationAndPlaysToOnFinish)
{
    Load(GetParam(), 0, TRUE);
    ASSERT_TRUE(Inside(control->engine).sourceFilters()[0]) << control->engine.LastError();
    EXPECT_NEAR(control->GetDuration(), 2.0, 0.15);
    control->Play();
    EXPECT_TRUE(PumpUntil([&] { return Finished() > 0; }, 8000)) << sink.Sequence() << control->engine.LastError();
    EXPECT_GT(Playing(), 0);
}

// All 2 s clips of tests/media; the .mpg and .wmv ones need the set-up's -bad and -ugly plugins.
INSTANTIATE_TEST_SUITE_P(Clips, FormatsHosted,
                         ::testing::Values("av.avi", "av.mp4", "av.mov", "av.mkv", "av.webm", "av.ogg", "av-mpeg1.mpg",
                                           "av-mpeg2.mpg", "av.wmv", "sound.mp3", "sound.wav"),
                         [](const ::testing::TestParamInfo<const char*>& clip) {
                             std::string name = clip.param;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace
