// Duration and position as time text.
#include "EngineFixture.h"

namespace {

constexpr REFERENCE_TIME kSecond = 10000000;

TEST(TimeText, FieldsAreTruncatedAndHoursAlwaysLedByAZero)
{
    EXPECT_EQ(CVMR9Graph::TimeText(3079000000LL), "00:05:07");  // 307.9 s
    EXPECT_EQ(CVMR9Graph::TimeText(3723 * kSecond), "01:02:03");
    EXPECT_EQ(CVMR9Graph::TimeText(0), "00:00:00");
    EXPECT_EQ(CVMR9Graph::TimeText(599000000LL), "00:00:59");  // 59.9 s
    EXPECT_EQ(CVMR9Graph::TimeText(36000 * kSecond), "010:00:00");
    EXPECT_EQ(CVMR9Graph::TimeText((123 * 3600 + 4 * 60 + 5) * kSecond), "0123:04:05");
    EXPECT_EQ(CVMR9Graph::TimeText((9 * 3600 + 10 * 60 + 9) * kSecond), "09:10:09");
}

using TimeTextFake = FakeEngine;

TEST_F(TimeTextFake, WithoutAGraphBothTextsAreEmpty)
{
    EXPECT_EQ(engine.GetDurationHHMMSS(), "");
    EXPECT_EQ(engine.GetPositionHHMMSS(), "");
}

TEST_F(TimeTextFake, PositionTextFollowsThePositionRuleOfTheEnd)
{
    ASSERT_EQ(Load("clip.avi"), 1);
    Media().duration = 120 * kSecond;
    EXPECT_EQ(engine.GetDurationHHMMSS(), "00:02:00");
    Media().current = 65 * kSecond;
    Inside(engine).playbackFinished() = 1;
    EXPECT_EQ(engine.GetPositionHHMMSS(), "00:01:05");
    EXPECT_EQ(Inside(engine).playbackFinished(), 0);
    Media().current = 0;
    EXPECT_EQ(engine.GetPositionHHMMSS(), "00:02:00");
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
    Inside(engine).playbackFinished() = 0;
    Media().current = 120 * kSecond;
    EXPECT_EQ(engine.GetPositionHHMMSS(), "00:02:00");
    EXPECT_EQ(Inside(engine).playbackFinished(), 1);
}

TEST_F(TimeTextFake, FailingQueriesGiveEmptyTexts)
{
    ASSERT_EQ(Load("clip.avi"), 1);
    platform.FailNext("IMediaSeeking::GetDuration", E_FAIL, 2);
    EXPECT_EQ(engine.GetDurationHHMMSS(), "");
    EXPECT_EQ(engine.GetPositionHHMMSS(), "");
    platform.FailNext("IMediaSeeking::GetPositions", E_FAIL);
    EXPECT_EQ(engine.GetPositionHHMMSS(), "");
    EXPECT_EQ(engine.GetDurationHHMMSS(), "00:00:10");
}

}  // namespace
