// The effect flags and the slide and strobe steps against the fake mixer: every step reads the
// mixer's live parameters, changes one aspect and writes them back.
#include "OverlayFakeFixture.h"
#include "engine/EngineInternals.h"

#include <vector>

namespace {

struct Edges
{
    float left, right;
};

}  // namespace

class EffectsFake : public OverlayFake
{
protected:
    std::vector<Edges> Slide(int steps)
    {
        std::vector<Edges> seen;
        for (int i = 0; i < steps; ++i) {
            engine.SlideStep();
            seen.push_back({LastUpdate().rDest.left, LastUpdate().rDest.right});
        }
        return seen;
    }
    std::vector<float> Strobe(int steps)
    {
        std::vector<float> seen;
        for (int i = 0; i < steps; ++i) {
            engine.StrobeStep();
            seen.push_back(LastUpdate().fAlpha);
        }
        return seen;
    }
};

// ---- The flag word ----

TEST_F(EffectsFake, ToggleSetsClearBitsAndClearsAnySetOnes)
{
    engine.ToggleEffectFlags(EFFECT_FLIP);
    EXPECT_EQ(effectFlags, EFFECT_FLIP);
    engine.ToggleEffectFlags(EFFECT_SLIDE);
    EXPECT_EQ(effectFlags, EFFECT_FLIP | EFFECT_SLIDE);
    engine.ToggleEffectFlags(EFFECT_FLIP);
    EXPECT_EQ(effectFlags, EFFECT_SLIDE);
    // Several bits with one of them set: all are cleared.
    engine.ToggleEffectFlags(EFFECT_SLIDE | EFFECT_STROBE);
    EXPECT_EQ(effectFlags, 0);
    engine.ToggleEffectFlags(EFFECT_SLIDE | EFFECT_STROBE);
    EXPECT_EQ(effectFlags, EFFECT_SLIDE | EFFECT_STROBE);
}

TEST_F(EffectsFake, TwoEnginesShareOneFlagWord)
{
    ASSERT_EQ(engine.SetOverlayText("first", 64, 48), 1);
    TestWindow secondWindow;
    CVMR9Graph second;
    ASSERT_EQ(second.SetVideoWindow(secondWindow.Handle()), 1);
    ASSERT_EQ(second.BuildGraph(), 1) << second.LastError();
    ASSERT_EQ(second.SetOverlayText("second", 320, 240), 1);
    const OverlayRect secondHome = Inside(second).overlayRect();

    engine.ToggleEffectFlags(EFFECT_FLIP);
    ASSERT_EQ(engine.FlipOverlay(effectFlags), 1);
    EXPECT_EQ(platform.Vmr(0).alphaBitmap.rDest.top, Inside(engine).overlayRect().bottom);

    // The second control's toggle clears the bit the first one set: its overlay stays at home.
    second.ToggleEffectFlags(EFFECT_FLIP);
    EXPECT_EQ(effectFlags, 0);
    ASSERT_EQ(second.FlipOverlay(effectFlags), 1);
    EXPECT_EQ(platform.Vmr(1).alphaBitmap.rDest.top, secondHome.top);
    EXPECT_EQ(platform.Vmr(1).alphaBitmap.rDest.bottom, secondHome.bottom);
    second.CloseGraph();
}

// ---- Slide ----

TEST_F(EffectsFake, SlideMovesLeftAndWrapsAtTheNineteenthStep)
{
    PictureAtPercent(80, 10, 95, 20);
    ASSERT_EQ(Inside(engine).overlayWidth(), Percent(95) - Percent(80));
    effectFlags = EFFECT_SLIDE;
    std::vector<Edges> seen = Slide(20);

    for (int step = 1; step <= 18; ++step) {
        EXPECT_NEAR(seen[step - 1].right, 0.95 - 0.05 * step, 1e-5) << "step " << step;
        EXPECT_NEAR(seen[step - 1].left, 0.80 - 0.05 * step, 1e-5) << "step " << step;
    }
    EXPECT_GT(seen[17].right, 0.04f);
    EXPECT_EQ(seen[18].left, 1.0f);
    EXPECT_EQ(seen[18].right, Inside(engine).overlayWidth() + 1.0f);
    EXPECT_NEAR(seen[18].right, 1.15, 1e-6);
    EXPECT_NEAR(seen[19].left, 0.95, 1e-6);
    EXPECT_NEAR(seen[19].right, 1.10, 1e-6);
    for (const CallRecord& call : platform.Log().Find("IVMRMixerBitmap9::UpdateAlphaBitmapParameters")) {
        VMR9AlphaBitmap sent = call.Raw<VMR9AlphaBitmap>();
        EXPECT_EQ(sent.rDest.top, Percent(10));
        EXPECT_EQ(sent.rDest.bottom, Percent(20));
        EXPECT_EQ(sent.dwFlags, 0x0Cu);
        EXPECT_EQ(sent.clrSrcKey, 0xFFFFFFu);
    }
}

TEST_F(EffectsFake, SlideWrapsOnceTheRightEdgeIsAtFourPercentNotZero)
{
    PictureAtPercent(83, 10, 98, 20);
    effectFlags = EFFECT_SLIDE;
    std::vector<Edges> seen = Slide(19);
    EXPECT_NEAR(seen[17].right, 0.08, 1e-5);
    // 0.03 would still be on the picture, but it is under the threshold.
    EXPECT_EQ(seen[18].left, 1.0f);
    EXPECT_EQ(seen[18].right, Inside(engine).overlayWidth() + 1.0f);
}

TEST_F(EffectsFake, MirroredSlideWrapsOnTheLeftField)
{
    PictureAtPercent(80, 10, 95, 20);
    effectFlags = EFFECT_MIRROR;
    ASSERT_EQ(engine.MirrorOverlay(effectFlags), 1);
    ASSERT_EQ(Live().rDest.left, Percent(95));
    effectFlags |= EFFECT_SLIDE;
    std::vector<Edges> seen = Slide(20);

    EXPECT_NEAR(seen[0].left, 0.90, 1e-6);
    EXPECT_NEAR(seen[0].right, 0.75, 1e-6);
    EXPECT_GT(seen[17].left, 0.04f);
    EXPECT_EQ(seen[18].left, Inside(engine).overlayWidth() + 1.0f);
    EXPECT_EQ(seen[18].right, 1.0f);
    EXPECT_NEAR(seen[19].left, 1.10, 1e-6);
    EXPECT_NEAR(seen[19].right, 0.95, 1e-6);
}

TEST_F(EffectsFake, FlippedOverlaySlidesFlipped)
{
    PictureAtPercent(80, 10, 95, 20);
    effectFlags = EFFECT_FLIP;
    ASSERT_EQ(engine.FlipOverlay(effectFlags), 1);
    effectFlags |= EFFECT_SLIDE;
    Slide(3);
    EXPECT_EQ(LastUpdate().rDest.top, Percent(20));
    EXPECT_EQ(LastUpdate().rDest.bottom, Percent(10));
}

TEST_F(EffectsFake, RestorePositionPutsTheEdgesHomeMirroredOrNot)
{
    PictureAtPercent(80, 10, 95, 20);
    effectFlags = EFFECT_SLIDE;
    Slide(5);
    engine.RestoreOverlayPosition();
    EXPECT_EQ(Live().rDest.left, Percent(80));
    EXPECT_EQ(Live().rDest.right, Percent(95));
    EXPECT_EQ(Live().rDest.top, Percent(10));

    effectFlags = EFFECT_SLIDE | EFFECT_MIRROR;
    Slide(5);
    engine.RestoreOverlayPosition();
    EXPECT_EQ(Live().rDest.left, Percent(95));
    EXPECT_EQ(Live().rDest.right, Percent(80));
    EXPECT_EQ(Live().rDest.bottom, Percent(20));
    EXPECT_EQ(LastUpdate().clrSrcKey, 0xFFFFFFu);
}

// ---- Strobe ----

TEST_F(EffectsFake, StrobeFromOpaqueDropsFirstAndCyclesInNineSteps)
{
    PictureAtPercent(10, 10, 50, 50, 100);
    ASSERT_EQ(Inside(engine).overlayAlpha(), 1.0f);
    effectFlags = EFFECT_STROBE;
    std::vector<float> seen = Strobe(11);
    for (int step = 1; step <= 9; ++step)
        EXPECT_EQ(seen[step - 1], 0.125f * static_cast<float>(step - 1)) << "step " << step;
    EXPECT_EQ(seen[8], 1.0f);
    EXPECT_EQ(seen[9], 0.0f);
    EXPECT_EQ(seen[10], 0.125f);
}

TEST_F(EffectsFake, StrobeFromAnotherAlphaRunsUpThenFallsIntoEighths)
{
    PictureAtPercent(10, 10, 50, 50, 30);
    effectFlags = EFFECT_STROBE;
    std::vector<float> seen = Strobe(7);
    const double expected[] = {0.425, 0.55, 0.675, 0.8, 0.925, 0.0, 0.125};
    for (int i = 0; i < 7; ++i)
        EXPECT_NEAR(seen[i], expected[i], 1e-6) << "step " << i + 1;
    EXPECT_EQ(seen[5], 0.0f);
}

TEST_F(EffectsFake, RestoreAlphaGoesBackToTheHomeOpacityAndLeavesThePlace)
{
    PictureAtPercent(80, 10, 95, 20, 100);
    effectFlags = EFFECT_STROBE | EFFECT_SLIDE;
    engine.SlideStep();
    Strobe(3);
    ASSERT_EQ(Live().fAlpha, 0.25f);
    engine.RestoreOverlayAlpha();
    EXPECT_EQ(Live().fAlpha, 1.0f);
    EXPECT_NEAR(Live().rDest.left, 0.75, 1e-6);
}

// ---- Hidden overlay, switched-off effects, no mixer ----

TEST_F(EffectsFake, HiddenOverlayStaysHiddenWhileStepped)
{
    PictureAtPercent(80, 10, 95, 20);
    effectFlags = OVERLAY_DISABLED;
    ASSERT_EQ(engine.ShowOverlayBitmap(effectFlags, "missing.png", 80, 10, 15, 10, 100), 1);
    effectFlags |= EFFECT_SLIDE | EFFECT_STROBE;
    engine.SlideStep();
    engine.StrobeStep();
    engine.RestoreOverlayAlpha();
    engine.RestoreOverlayPosition();
    ASSERT_EQ(Updates(), 5u);
    for (const CallRecord& call : platform.Log().Find("IVMRMixerBitmap9::UpdateAlphaBitmapParameters"))
        EXPECT_NE(call.Raw<VMR9AlphaBitmap>().dwFlags & VMR9AlphaBitmap_Disable, 0u);
    EXPECT_EQ(platform.Log().Count("IVMRMixerBitmap9::SetAlphaBitmap"), 1u);
}

TEST_F(EffectsFake, StepAfterItsEffectWasSwitchedOffChangesNothing)
{
    PictureAtPercent(80, 10, 95, 20);
    effectFlags = 0;
    engine.SlideStep();
    engine.StrobeStep();
    EXPECT_EQ(Updates(), 0u);
    EXPECT_EQ(Live().rDest.left, Percent(80));
    EXPECT_EQ(Live().fAlpha, 1.0f);
}

TEST_F(EffectsFake, WithoutTheMixerNothingHappens)
{
    CVMR9Graph bare;
    effectFlags = EFFECT_SLIDE | EFFECT_STROBE;
    bare.SlideStep();
    bare.StrobeStep();
    bare.RestoreOverlayPosition();
    bare.RestoreOverlayAlpha();
    EXPECT_TRUE(platform.Log().Sequence("IVMRMixerBitmap9").empty());
}

TEST_F(EffectsFake, ParametersThatCannotBeReadAreNotWrittenBack)
{
    PictureAtPercent(80, 10, 95, 20);
    effectFlags = EFFECT_SLIDE;
    platform.FailNext("IVMRMixerBitmap9::GetAlphaBitmapParameters", E_FAIL);
    engine.SlideStep();
    EXPECT_EQ(Updates(), 0u);
    EXPECT_EQ(Live().rDest.left, Percent(80));
    EXPECT_NE(std::string(engine.LastError()).find("Can't read the overlay"), std::string::npos);
}
