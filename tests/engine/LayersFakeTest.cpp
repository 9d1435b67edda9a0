// Layer alpha, z-order, rectangle, flip, mirror and swap against the fake mixer: what the mixer
// receives (floats bit for bit), what the layer table keeps, and what is refused.
#include "EngineFixture.h"

#include <vector>

namespace {

class LayersFake : public BuiltFakeEngine
{
protected:
    static size_t MixerCalls() { return CallLog::Instance().Sequence("IVMRMixerControl9::").size(); }
    VMR9NormalizedRect LastRectSent(int stream)
    {
        auto calls = platform.Log().Find("IVMRMixerControl9::SetOutputRect");
        for (auto call = calls.rbegin(); call != calls.rend(); ++call)
            if (call->args.at(0) == std::to_string(stream))
                return call->Raw<VMR9NormalizedRect>();
        ADD_FAILURE() << "no rectangle sent for stream " << stream;
        return {};
    }

    static void ExpectRect(const VMR9NormalizedRect& rect, float left, float top, float right,
                           float bottom)
    {
        EXPECT_EQ(Bits(rect.left), Bits(left)) << rect.left << " vs " << left;
        EXPECT_EQ(Bits(rect.top), Bits(top)) << rect.top << " vs " << top;
        EXPECT_EQ(Bits(rect.right), Bits(right)) << rect.right << " vs " << right;
        EXPECT_EQ(Bits(rect.bottom), Bits(bottom)) << rect.bottom << " vs " << bottom;
    }

    static void ExpectSameRecord(const LayerGeometry& a, const LayerGeometry& b)
    {
        EXPECT_EQ(Bits(a.left), Bits(b.left));
        EXPECT_EQ(Bits(a.top), Bits(b.top));
        EXPECT_EQ(Bits(a.width), Bits(b.width));
        EXPECT_EQ(Bits(a.height), Bits(b.height));
        EXPECT_EQ(Bits(a.alpha), Bits(b.alpha));
        EXPECT_EQ(a.flipped, b.flipped);
        EXPECT_EQ(a.mirrored, b.mirrored);
    }
};

// ---- alpha ----

TEST_F(LayersFake, AlphaSendsPercentTimesSinglePrecisionHundredthAndStoresIt)
{
    HoldSource(1);
    struct Case { int percent; float sent; };
    for (Case c : {Case{50, 0.5f}, Case{100, 1.0f}, Case{46, 0.45999998f}, Case{10, 0.099999994f},
                   Case{0, 0.0f}}) {
        ASSERT_EQ(engine.SetLayerAlpha(1, c.percent), 1) << engine.LastError();
        auto call = platform.Log().Last("IVMRMixerControl9::SetAlpha");
        EXPECT_EQ(call.args.at(0), "1");
        EXPECT_EQ(Bits(call.Raw<float>()), Bits(c.sent)) << c.percent << " %";
        EXPECT_EQ(Bits(layerTable[1].alpha), Bits(c.sent));
    }
    // The decimal fraction would be one unit higher: the constant's rounding is kept.
    EXPECT_NE(Bits(0.45999998f), Bits(0.46f));
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(LayersFake, AlphaOutsideZeroToHundredIsRefusedAndChangesNothing)
{
    HoldSource(0);
    ASSERT_EQ(engine.SetLayerAlpha(0, 50), 1);
    platform.Log().Clear();
    for (int percent : {101, -1}) {
        Inside(engine).lastError()[0] = '\0';
        EXPECT_EQ(engine.SetLayerAlpha(0, percent), 0);
        EXPECT_TRUE(LastErrorIs("Can't set alpha, incorrect alpha value", E_INVALIDARG));
        EXPECT_EQ(layerTable[0].alpha, 0.5f);
    }
    EXPECT_EQ(MixerCalls(), 0u);
}

TEST_F(LayersFake, AlphaOnAMissingMixerIsReported)
{
    HoldSource(0);
    Inside(engine).mixerControl().Reset();
    EXPECT_EQ(engine.SetLayerAlpha(0, 30), 0);
    EXPECT_TRUE(LastErrorIs("Can't set alpha, no VMR", E_FAIL));
    EXPECT_EQ(layerTable[0].alpha, 1.0f);
}

// ---- layer numbers ----

TEST_F(LayersFake, LayersOutOfRangeOrEmptyAreRefusedByEveryOperation)
{
    HoldSource(0);
    const RECT rect = {0, 0, 320, 240};
    for (int layer : {10, -1, 2}) {
        SCOPED_TRACE("layer " + std::to_string(layer));
        EXPECT_FALSE(engine.IsLayerLoaded(layer));
        EXPECT_EQ(engine.SetLayerAlpha(layer, 50), 0);
        EXPECT_TRUE(LastErrorIs("Can't set alpha, incorect layer", E_INVALIDARG));
        EXPECT_EQ(engine.SetLayerZOrder(layer, 0), 0);
        EXPECT_TRUE(LastErrorIs("Can't set order, incorect layer", E_INVALIDARG));
        EXPECT_EQ(engine.SetLayerRect(layer, rect), 0);
        EXPECT_TRUE(LastErrorIs("Can't set layer rect, incorect layer", E_INVALIDARG));
        Inside(engine).lastError()[0] = '\0';
        EXPECT_EQ(engine.FlipLayer(layer), 0);
        EXPECT_TRUE(LastErrorIs("Can't set alpha, incorect layer", E_INVALIDARG));
        Inside(engine).lastError()[0] = '\0';
        EXPECT_EQ(engine.MirrorLayer(layer), 0);
        EXPECT_TRUE(LastErrorIs("Can't set alpha, incorect layer", E_INVALIDARG));
        Inside(engine).lastError()[0] = '\0';
        EXPECT_EQ(Inside(engine).ApplyLayerRect(layer), 0);
        EXPECT_TRUE(LastErrorIs("Can't set alpha, incorect layer", E_INVALIDARG));
    }
    EXPECT_TRUE(engine.IsLayerLoaded(0));
    EXPECT_EQ(MixerCalls(), 0u) << platform.Log().Dump();
    EXPECT_EQ(layerTable[2].flipped, 0);
    EXPECT_EQ(layerTable[2].mirrored, 0);
}

TEST_F(LayersFake, LayerFiveOnAFourStreamMixerKeepsItsAlphaButGetsNoZOrder)
{
    HoldSource(5);
    EXPECT_EQ(engine.SetLayerAlpha(5, 50), 1);
    auto alpha = platform.Log().Last("IVMRMixerControl9::SetAlpha");
    EXPECT_EQ(alpha.args.at(0), "5");
    EXPECT_EQ(layerTable[5].alpha, 0.5f);

    EXPECT_EQ(engine.SetLayerZOrder(5, 5), 0);
    EXPECT_TRUE(LastErrorIs("Can't set ZOrder", E_INVALIDARG));
}

TEST_F(LayersFake, ApplyLayerAlphaSendsTheStoredValueAndNothingOutsideTheTable)
{
    // ApplyLayerAlpha reads only the ten records; it sends nothing for other numbers.
    EXPECT_EQ(Inside(engine).ApplyLayerAlpha(10), 0);
    EXPECT_EQ(Inside(engine).ApplyLayerAlpha(-1), 0);
    EXPECT_EQ(MixerCalls(), 0u);
    layerTable[3].alpha = 0.25f;
    EXPECT_EQ(Inside(engine).ApplyLayerAlpha(3), 1);
    EXPECT_EQ(Vmr().streams[3].alpha, 0.25f);
    EXPECT_EQ(engine.LastError(), "");
}

// ---- z-order ----

TEST_F(LayersFake, ZOrderGoesToTheMixerUnchangedAndItsRefusalIsReported)
{
    HoldSource(2);
    EXPECT_EQ(engine.SetLayerZOrder(2, 3), 1);
    EXPECT_EQ(Vmr().streams[2].zOrder, 3u);

    platform.FailNext("IVMRMixerControl9::SetZOrder", E_NOTIMPL);
    EXPECT_EQ(engine.SetLayerZOrder(2, 1), 0);
    EXPECT_TRUE(LastErrorIs("Can't set ZOrder", E_NOTIMPL));
    EXPECT_EQ(Vmr().streams[2].zOrder, 3u);

    Inside(engine).mixerControl().Reset();
    EXPECT_EQ(engine.SetLayerZOrder(2, 1), 0);
    EXPECT_TRUE(LastErrorIs("Can't set order, no VMR", E_FAIL));
}

// ---- rectangle ----

TEST_F(LayersFake, RectangleIsSentInWholePercentOfTheNativePicture)
{
    HoldSource(0);
    // 100 px of 640 is 15 %, 294 px is 45 %; the bottom is the whole height.
    ASSERT_EQ(engine.SetLayerRect(0, RECT{100, 0, 300, 480}), 1) << engine.LastError();
    const VMR9NormalizedRect sent = LastRectSent(0);
    ExpectRect(sent, 0.14999999f, 0.0f, 0.45999998f, 1.0f);
    EXPECT_NE(Bits(sent.left), Bits(0.15f));
    EXPECT_EQ(Bits(layerTable[0].left), Bits(0.14999999f));
    EXPECT_EQ(Bits(layerTable[0].width), Bits(0.45999998f - 0.14999999f));
    EXPECT_EQ(Bits(layerTable[0].height), Bits(1.0f));

    // Negative and beyond the picture are allowed; the percent truncates toward zero.
    ASSERT_EQ(engine.SetLayerRect(0, RECT{-50, -1, 700, 500}), 1);
    ExpectRect(LastRectSent(0), -0.07f, 0.0f, 1.09f, 1.04f);
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(LayersFake, RectangleKeepsAlphaAndFlagsAndIsSentWithoutThem)
{
    HoldSource(1);
    layerTable[1] = {0.0f, 0.0f, 1.0f, 1.0f, 0.5f, 1, 1};
    ASSERT_EQ(engine.SetLayerRect(1, RECT{0, 0, 320, 240}), 1);
    ExpectRect(LastRectSent(1), 0.0f, 0.0f, 0.5f, 0.5f);
    EXPECT_EQ(layerTable[1].alpha, 0.5f);
    EXPECT_EQ(layerTable[1].flipped, 1);
    EXPECT_EQ(layerTable[1].mirrored, 1);
}

TEST_F(LayersFake, RefusedRectangleIsReportedAndLeavesTheTable)
{
    HoldSource(0);
    const LayerGeometry before = layerTable[0];
    platform.FailNext("IVMRMixerControl9::SetOutputRect", E_NOTIMPL);
    EXPECT_EQ(engine.SetLayerRect(0, RECT{64, 48, 320, 240}), 0);
    EXPECT_TRUE(LastErrorIs("Can't set layer rect", E_NOTIMPL));
    ExpectSameRecord(layerTable[0], before);

    Inside(engine).windowlessControl().Reset();
    EXPECT_EQ(engine.SetLayerRect(0, RECT{64, 48, 320, 240}), 0);
    EXPECT_TRUE(LastErrorIs("Can't set layer rect, no VMR", E_FAIL));
}

TEST_F(LayersFake, RectangleWithoutANativeSizeFailsAndCallsNoMixerMethod)
{
    HoldSource(0);
    const LayerGeometry before = layerTable[0];
    Vmr().settings.sizeWithoutVideo = false;  // nothing connected: 0 x 0
    EXPECT_EQ(engine.SetLayerRect(0, RECT{0, 0, 10, 10}), 0);
    EXPECT_TRUE(LastErrorIs("Can't convert rect, no video size", E_FAIL));

    platform.FailNext("IVMRWindowlessControl9::GetNativeVideoSize", VFW_E_NOT_CONNECTED);
    EXPECT_EQ(engine.SetLayerRect(0, RECT{0, 0, 10, 10}), 0);
    EXPECT_NE(engine.LastError().find("Can't return video size, VMR error : COM Error 0x80040209"),
              std::string::npos)
        << engine.LastError();
    EXPECT_EQ(MixerCalls(), 0u);
    ExpectSameRecord(layerTable[0], before);
}

// ---- flip and mirror ----

class LayerFlipsFake : public LayersFake
{
protected:
    void SetUp() override
    {
        LayersFake::SetUp();
        HoldSource(0);
        layerTable[0] = {0.25f, 0.5f, 0.5f, 0.25f, 1.0f, 0, 0};
    }
};

TEST_F(LayerFlipsFake, FlipExchangesTopAndBottomAndTogglesBack)
{
    ASSERT_EQ(engine.FlipLayer(0), 1);
    EXPECT_EQ(layerTable[0].flipped, 1);
    ExpectRect(LastRectSent(0), 0.25f, 0.75f, 0.75f, 0.5f);
    ASSERT_EQ(engine.FlipLayer(0), 1);
    EXPECT_EQ(layerTable[0].flipped, 0);
    ExpectRect(LastRectSent(0), 0.25f, 0.5f, 0.75f, 0.75f);
}

TEST_F(LayerFlipsFake, MirrorExchangesLeftAndRightAndTogglesBack)
{
    ASSERT_EQ(engine.MirrorLayer(0), 1);
    EXPECT_EQ(layerTable[0].mirrored, 1);
    ExpectRect(LastRectSent(0), 0.75f, 0.5f, 0.25f, 0.75f);
    ASSERT_EQ(engine.MirrorLayer(0), 1);
    EXPECT_EQ(layerTable[0].mirrored, 0);
    ExpectRect(LastRectSent(0), 0.25f, 0.5f, 0.75f, 0.75f);
}

TEST_F(LayerFlipsFake, FlipAndMirrorTogetherTurnTheLayerHalfAround)
{
    ASSERT_EQ(engine.FlipLayer(0), 1);
    ASSERT_EQ(engine.MirrorLayer(0), 1);
    ExpectRect(LastRectSent(0), 0.75f, 0.75f, 0.25f, 0.5f);
    EXPECT_EQ(layerTable[0].flipped, 1);
    EXPECT_EQ(layerTable[0].mirrored, 1);
}

TEST_F(LayerFlipsFake, FlippedLayerMovedIsShownUnflippedUntilTheNextFlip)
{
    ASSERT_EQ(engine.FlipLayer(0), 1);
    ASSERT_EQ(engine.SetLayerRect(0, RECT{0, 0, 320, 240}), 1);
    ExpectRect(LastRectSent(0), 0.0f, 0.0f, 0.5f, 0.5f);
    EXPECT_EQ(layerTable[0].flipped, 1);
    // The next flip clears the flag, so the layer stays upright at its new place.
    ASSERT_EQ(engine.FlipLayer(0), 1);
    EXPECT_EQ(layerTable[0].flipped, 0);
    ExpectRect(LastRectSent(0), 0.0f, 0.0f, 0.5f, 0.5f);
}

TEST_F(LayerFlipsFake, ApplyWithoutAMixerSucceedsAndRefusalGivesZeroWithItsReason)
{
    platform.FailNext("IVMRMixerControl9::SetOutputRect", E_NOTIMPL);
    EXPECT_EQ(Inside(engine).ApplyLayerRect(0), 0);
    EXPECT_NE(engine.LastError().find("Can't set layer rect : COM Error 0x80004001"), std::string::npos) << engine.LastError();
    Inside(engine).mixerControl().Reset();
    EXPECT_EQ(engine.FlipLayer(0), 1);
    EXPECT_EQ(layerTable[0].flipped, 1);
    EXPECT_EQ(Inside(engine).ApplyLayerAlpha(0), 1);
    EXPECT_EQ(Inside(engine).ApplyLayerZOrder(0, 1), 1);
}

// ---- swapping layers 0 and 1 ----

class LayerSwapsFake : public LayersFake
{
protected:
    const LayerGeometry first = {0.0f, 0.0f, 0.5f, 0.5f, 0.25f, 1, 0};
    const LayerGeometry second = {0.5f, 0.25f, 0.5f, 0.75f, 0.75f, 0, 1};

    void SetUp() override
    {
        LayersFake::SetUp();
        layerTable[0] = first;
        layerTable[1] = second;
    }

    std::vector<std::string> MixerSequence()
    {
        std::vector<std::string> sequence;
        for (const CallRecord& call : platform.Log().All())
            if (call.method.rfind("IVMRMixerControl9::", 0) == 0)
                sequence.push_back(call.method.substr(19) + "(" + call.args.at(0) +
                                   (call.method == "IVMRMixerControl9::SetZOrder" ? "," + call.args.at(1) : "") +
                                   ")");
        return sequence;
    }
};

TEST_F(LayerSwapsFake, BothLoadedExchangesRecordsAndSendsThemWithFixedZOrders)
{
    HoldSource(0);
    HoldSource(1);
    engine.SwapLayers();
    ExpectSameRecord(layerTable[0], second);
    ExpectSameRecord(layerTable[1], first);
    EXPECT_EQ(MixerSequence(),
              (std::vector<std::string>{"SetOutputRect(0)", "SetOutputRect(1)", "SetAlpha(0)",
                                        "SetAlpha(1)", "SetZOrder(0,1)", "SetZOrder(1,0)"}));
    // Layer 0 now shows the mirrored record, layer 1 the flipped one.
    EXPECT_EQ(Bits(Vmr().streams[0].outputRect.left), Bits(1.0f));
    EXPECT_EQ(Bits(Vmr().streams[0].outputRect.right), Bits(0.5f));
    EXPECT_EQ(Bits(Vmr().streams[1].outputRect.top), Bits(0.5f));
    EXPECT_EQ(Bits(Vmr().streams[1].outputRect.bottom), Bits(0.0f));
    EXPECT_EQ(Vmr().streams[0].alpha, 0.75f);
    EXPECT_EQ(Vmr().streams[1].alpha, 0.25f);
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(LayerSwapsFake, TwiceRestoresTheRecordsButNotTheZOrders)
{
    HoldSource(0);
    HoldSource(1);
    engine.SwapLayers();
    engine.SwapLayers();
    ExpectSameRecord(layerTable[0], first);
    ExpectSameRecord(layerTable[1], second);
    EXPECT_EQ(Vmr().streams[0].zOrder, 1u);
    EXPECT_EQ(Vmr().streams[1].zOrder, 0u);
    EXPECT_EQ(Vmr().streams[0].alpha, 0.25f);
    EXPECT_EQ(Vmr().streams[1].alpha, 0.75f);
}

TEST_F(LayerSwapsFake, OnlyLayerZeroLoadedStillSendsAlphaAndZOrderForStreamOne)
{
    HoldSource(0);
    engine.SwapLayers();
    ExpectSameRecord(layerTable[0], second);
    ExpectSameRecord(layerTable[1], first);
    EXPECT_TRUE(LastErrorIs("Can't set alpha, incorect layer", E_INVALIDARG));
    EXPECT_EQ(MixerSequence(),
              (std::vector<std::string>{"SetOutputRect(0)", "SetAlpha(0)", "SetAlpha(1)",
                                        "SetZOrder(0,1)", "SetZOrder(1,0)"}));
}

TEST_F(LayerSwapsFake, FailingStepsDoNotStopTheSequence)
{
    HoldSource(0);
    HoldSource(1);
    platform.Fail("IVMRMixerControl9::SetOutputRect", E_NOTIMPL);
    platform.Fail("IVMRMixerControl9::SetAlpha", E_NOTIMPL);
    engine.SwapLayers();
    EXPECT_EQ(MixerSequence().size(), 6u);
    EXPECT_EQ(Vmr().streams[0].zOrder, 1u);
    ExpectSameRecord(layerTable[0], second);
}

TEST_F(LayerSwapsFake, TheTableIsSharedByEveryEngineInTheProcess)
{
    HoldSource(0);
    HoldSource(1);
    {
        CVMR9Graph other;  // constructing any engine resets the table for all
        ExpectSameRecord(layerTable[0], {0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0, 0});
        layerTable[0].flipped = 1;
    }
    ASSERT_EQ(engine.FlipLayer(0), 1);
    EXPECT_EQ(layerTable[0].flipped, 0);
}

}  // namespace
