// Native size, pixel-to-normalized conversion, aspect ratio, placing and repainting the picture,
// against the fake mixer.
#include "EngineFixture.h"

namespace {

class GeometryFake : public BuiltFakeEngine
{
};

// ---- native size ----

TEST_F(GeometryFake, NativeSizeComesFromTheMixer)
{
    RECT size = {1, 2, 3, 4};
    ASSERT_EQ(engine.GetVideoSize(&size), 1);
    EXPECT_EQ(size.left, 0);
    EXPECT_EQ(size.top, 0);
    EXPECT_EQ(size.right, 640);
    EXPECT_EQ(size.bottom, 480);
    Vmr().settings.nativeWidth = 320;
    Vmr().settings.nativeHeight = 200;
    EXPECT_EQ(engine.GetVideoWidth(), 320);
    EXPECT_EQ(engine.GetVideoHeight(), 200);
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(GeometryFake, NativeSizeFailuresAreReportedOnlyByGetVideoSize)
{
    EXPECT_EQ(engine.GetVideoSize(nullptr), 0);
    EXPECT_TRUE(LastErrorIs("Can't return video size, rect struct invalid", E_INVALIDARG));

    Inside(engine).lastError()[0] = '\0';
    platform.Fail("IVMRWindowlessControl9::GetNativeVideoSize", E_NOTIMPL);
    EXPECT_EQ(engine.GetVideoWidth(), 0);
    EXPECT_EQ(engine.GetVideoHeight(), 0);
    EXPECT_EQ(engine.LastError(), "");
    RECT size = {};
    EXPECT_EQ(engine.GetVideoSize(&size), 0);
    EXPECT_TRUE(LastErrorIs("Can't return video size, VMR error", E_NOTIMPL));

    Inside(engine).lastError()[0] = '\0';
    Inside(engine).windowlessControl().Reset();
    EXPECT_EQ(engine.GetVideoWidth(), 0);
    EXPECT_EQ(engine.GetVideoHeight(), 0);
    EXPECT_EQ(engine.LastError(), "");
    EXPECT_EQ(engine.GetVideoSize(&size), 0);
    EXPECT_TRUE(LastErrorIs("Can't return video size, no VMR", E_FAIL));
}

TEST_F(GeometryFake, WithoutConnectedVideoTheSizeIsZero)
{
    Vmr().settings.sizeWithoutVideo = false;
    EXPECT_EQ(engine.GetVideoWidth(), 0);
    EXPECT_EQ(engine.GetVideoHeight(), 0);
    EXPECT_EQ(engine.LastError(), "");
}

// ---- pixel to normalized ----

TEST_F(GeometryFake, ConversionTruncatesToWholePercentTowardZero)
{
    VMR9NormalizedRect n = {};
    ASSERT_EQ(Inside(engine).ToNormalizedRect(RECT{100, 96, 300, 479}, n), 1);
    EXPECT_EQ(Bits(n.left), Bits(0.14999999f));   // 15 %
    EXPECT_EQ(Bits(n.top), Bits(0.19999999f));    // 20 %
    EXPECT_EQ(Bits(n.right), Bits(0.45999998f));  // 46.875 % gives 46 %
    EXPECT_EQ(Bits(n.bottom), Bits(0.98999995f)); // 99.79 % gives 99 %

    ASSERT_EQ(Inside(engine).ToNormalizedRect(RECT{-50, -479, -1, 0}, n), 1);
    EXPECT_EQ(Bits(n.left), Bits(-0.07f));        // -7.8 % gives -7 %
    EXPECT_EQ(Bits(n.top), Bits(-0.98999995f));
    EXPECT_EQ(Bits(n.right), Bits(0.0f));
    EXPECT_EQ(Bits(n.bottom), Bits(0.0f));
}

TEST_F(GeometryFake, ConversionOfHugeCoordinatesDoesNotOverflow)
{
    // 50,000,000 px times 100 does not fit 32 bits; the percent is still 7,812,500.
    VMR9NormalizedRect n = {};
    ASSERT_EQ(Inside(engine).ToNormalizedRect(RECT{50000000, 0, -50000000, 2000000000}, n), 1);
    EXPECT_NEAR(n.left, 78125.0f, 0.01f);
    EXPECT_NEAR(n.right, -78125.0f, 0.01f);
    EXPECT_NEAR(n.bottom, 4166666.0f, 1.0f);
}

TEST_F(GeometryFake, ConversionNeedsANonEmptyNativeSize)
{
    VMR9NormalizedRect n = {7.0f, 7.0f, 7.0f, 7.0f};
    Vmr().settings.nativeHeight = 0;
    EXPECT_EQ(Inside(engine).ToNormalizedRect(RECT{0, 0, 10, 10}, n), 0);
    EXPECT_TRUE(LastErrorIs("Can't convert rect, no video size", E_FAIL));
    EXPECT_EQ(n.left, 7.0f);

    Inside(engine).windowlessControl().Reset();
    EXPECT_EQ(Inside(engine).ToNormalizedRect(RECT{0, 0, 10, 10}, n), 0);
    EXPECT_TRUE(LastErrorIs("Can't return video size, no VMR", E_FAIL));
}

// ---- aspect ratio, position, repaint ----

TEST_F(GeometryFake, AspectRatioLetterboxesOrNotAndRecordsTheMixersRefusal)
{
    EXPECT_EQ(engine.SetAspectRatio(TRUE), 1);
    EXPECT_EQ(Vmr().aspectRatioMode, static_cast<DWORD>(VMR9ARMode_LetterBox));
    EXPECT_EQ(engine.SetAspectRatio(FALSE), 1);
    EXPECT_EQ(Vmr().aspectRatioMode, static_cast<DWORD>(VMR9ARMode_None));
    platform.FailNext("IVMRWindowlessControl9::SetAspectRatioMode", E_NOTIMPL);
    EXPECT_EQ(engine.SetAspectRatio(TRUE), 1);
    EXPECT_EQ(platform.Log().Count("IVMRWindowlessControl9::SetAspectRatioMode"), 3u);
    EXPECT_NE(engine.LastError().find("Can't set aspect ratio : COM Error 0x80004001"), std::string::npos) << engine.LastError();
}

TEST_F(GeometryFake, PositionFillsTheWholeClientAreaAlsoWhenLetterboxed)
{
    SetWindowPos(window.Handle(), nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(window.Handle(), &client));
    ASSERT_EQ(engine.SetAspectRatio(TRUE), 1);
    engine.UpdateVideoPosition();
    auto call = platform.Log().Last("IVMRWindowlessControl9::SetVideoPosition");
    EXPECT_EQ(call.args.at(0), "null");
    EXPECT_EQ(call.args.at(1), RectText(client));
    EXPECT_EQ(Vmr().destinationRect.right, client.right);
    EXPECT_EQ(Vmr().destinationRect.bottom, client.bottom);
    EXPECT_GT(client.right, 0);
}

TEST_F(GeometryFake, RepaintDrawsIntoTheVideoWindowAndGivesTheMixersResult)
{
    EXPECT_EQ(engine.Repaint(), 1);
    auto call = platform.Log().Last("IVMRWindowlessControl9::RepaintVideo");
    EXPECT_EQ(call.args.at(0), PointerText(window.Handle()));
    EXPECT_NE(call.args.at(1), "null");
    platform.FailNext("IVMRWindowlessControl9::RepaintVideo", E_NOTIMPL);
    EXPECT_EQ(engine.Repaint(), 0);
    EXPECT_NE(engine.LastError().find("Can't repaint : COM Error 0x80004001"), std::string::npos) << engine.LastError();
}

TEST_F(GeometryFake, WithoutAVideoWindowNothingIsPaintedOrPlaced)
{
    Inside(engine).videoWindow() = nullptr;  // never the screen's device context
    EXPECT_EQ(engine.Repaint(), 0);
    engine.UpdateVideoPosition();
    EXPECT_EQ(platform.Log().Count("IVMRWindowlessControl9::RepaintVideo"), 0u);
    EXPECT_EQ(platform.Log().Count("IVMRWindowlessControl9::SetVideoPosition"), 0u);
}

TEST_F(GeometryFake, WithoutARendererAspectAndRepaintReportAndPositionDoesNothing)
{
    Inside(engine).windowlessControl().Reset();
    EXPECT_EQ(engine.SetAspectRatio(TRUE), 0);
    EXPECT_TRUE(LastErrorIs("Can't set aspect ratio, no VMR", E_FAIL));
    EXPECT_EQ(engine.Repaint(), 0);
    EXPECT_TRUE(LastErrorIs("Can't repaint, no VMR", E_FAIL));
    Inside(engine).lastError()[0] = '\0';
    engine.UpdateVideoPosition();
    EXPECT_EQ(engine.LastError(), "");
    EXPECT_EQ(platform.Log().Sequence("IVMRWindowlessControl9::").size(), 0u);
}

}  // namespace
