// The overlay picture and text against the fake mixer: the records sent, hiding and showing,
// flip and mirror, fonts, and the failures reported.
#include "OverlayFakeFixture.h"

#include "support/TestImages.h"
#include "EngineText.h"
#include "engine/EngineInternals.h"

#include <cstring>
#include <cwchar>
#include <string>

namespace {

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void ExpectRect(const VMR9NormalizedRect& actual, float left, float top, float right, float bottom)
{
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

}  // namespace

// ---- Records sent to the mixer ----

TEST_F(OverlayFake, PictureRecordUsesTheWholeSurfaceWithWhiteKeyed)
{
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 80, 0xFFFFFF, RECT{10, 20, 110, 70}), 1)
        << engine.LastError();

    auto created = platform.Log().Last("IDirect3DDevice9::CreateOffscreenPlainSurface");
    ASSERT_GE(created.args.size(), 4u);
    EXPECT_EQ(created.args[0], "320");
    EXPECT_EQ(created.args[1], "240");
    EXPECT_EQ(created.args[2], std::to_string(D3DFMT_X8R8G8B8));
    EXPECT_EQ(created.args[3], std::to_string(D3DPOOL_SYSTEMMEM));
    EXPECT_EQ(created.args[5], "null");

    VMR9AlphaBitmap sent = LastSet();
    EXPECT_EQ(sent.dwFlags, 0x0Cu);
    EXPECT_EQ(sent.hdc, nullptr);
    EXPECT_EQ(sent.pDDS, Inside(engine).overlaySurface().Get());
    ASSERT_NE(sent.pDDS, nullptr);
    EXPECT_EQ(sent.rSrc.left | sent.rSrc.top | sent.rSrc.right | sent.rSrc.bottom, 0);
    // 10/640, 20/480, 110/640, 70/480 in whole percent, truncated.
    ExpectRect(sent.rDest, Percent(1), Percent(4), Percent(17), Percent(14));
    EXPECT_EQ(sent.fAlpha, Percent(80));
    EXPECT_EQ(sent.clrSrcKey, 0xFFFFFFu);
    EXPECT_EQ(sent.dwFilterMode, 0u);

    EXPECT_EQ(Inside(engine).overlayRect().left, Percent(1));
    EXPECT_EQ(Inside(engine).overlayRect().bottom, Percent(14));
    EXPECT_EQ(Inside(engine).overlayWidth(), Percent(17) - Percent(1));
    EXPECT_EQ(Inside(engine).overlayAlpha(), Percent(80));
    // The mixer was handed the picture drawn from the file.
    EXPECT_EQ(platform.Vmr().overlayPicture.Pixel(10, 10), test_images::kTopLeft);
    EXPECT_EQ(platform.Vmr().overlayPicture.Pixel(310, 230), test_images::kBottomRight);
}

TEST_F(OverlayFake, PictureOnlyTheLoaderReadsGetsTheFallbackSurface)
{
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Png().c_str(), 100, 0xFFFFFF, RECT{0, 0, 64, 48}), 1);
    auto created = platform.Log().Last("IDirect3DDevice9::CreateOffscreenPlainSurface");
    EXPECT_EQ(created.args[0], "128");
    EXPECT_EQ(created.args[1], "128");
    auto loaded = platform.Log().Last("D3DXLoadSurfaceFromFileW");
    EXPECT_EQ(loaded.args[1], "\"" + test_images::Png() + "\"");
    EXPECT_EQ(loaded.args[2], std::to_string(D3DX_DEFAULT));
    EXPECT_EQ(loaded.args[3], "0");
}

TEST_F(OverlayFake, UpdateSendsTheSameSurfaceAtTheNewPlaceAndAlpha)
{
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 320, 240}), 1);
    IDirect3DSurface9* surface = Inside(engine).overlaySurface().Get();
    ASSERT_EQ(engine.UpdateOverlayBitmap(50, 0xFFFFFF, RECT{320, 240, 640, 480}), 1) << engine.LastError();

    EXPECT_EQ(platform.Made("surface"), 1u);
    VMR9AlphaBitmap sent = LastSet();
    EXPECT_EQ(sent.dwFlags, 0x0Cu);
    EXPECT_EQ(sent.pDDS, surface);
    ExpectRect(sent.rDest, Percent(50), Percent(50), Percent(100), Percent(100));
    EXPECT_EQ(sent.fAlpha, Percent(50));
    EXPECT_EQ(Inside(engine).overlayAlpha(), Percent(50));
    EXPECT_EQ(Inside(engine).overlayRect().left, Percent(50));
    EXPECT_EQ(Inside(engine).overlayWidth(), Percent(100) - Percent(50));
}

TEST_F(OverlayFake, TextRecordCarriesTheMemoryDcAndItsRectangles)
{
    ASSERT_EQ(engine.SetOverlayText("Corvane 42", 64, 48), 1);
    ASSERT_NE(Inside(engine).textFont(), nullptr);
    SIZE size = TextExtent(Inside(engine).textFont(), "Corvane 42");
    ASSERT_GT(size.cx, 0);

    VMR9AlphaBitmap sent = LastSet();
    EXPECT_EQ(sent.dwFlags, 0x0Au);
    EXPECT_NE(sent.hdc, nullptr);
    EXPECT_EQ(sent.pDDS, nullptr);
    EXPECT_EQ(sent.rSrc.left, 0);
    EXPECT_EQ(sent.rSrc.top, 0);
    EXPECT_EQ(sent.rSrc.right, size.cx);
    EXPECT_EQ(sent.rSrc.bottom, size.cy);
    ExpectRect(sent.rDest, Percent(10), Percent(10), Percent((64 + size.cx) * 100 / 640),
               Percent((48 + size.cy) * 100 / 480));
    EXPECT_EQ(sent.fAlpha, 1.0f);
    EXPECT_EQ(sent.clrSrcKey, 0xFFFFFFu);
    EXPECT_EQ(sent.dwFilterMode, 0u);
    EXPECT_EQ(Inside(engine).overlayAlpha(), 1.0f);
    EXPECT_EQ(Inside(engine).overlayRect().top, Percent(10));
    EXPECT_EQ(Inside(engine).overlayWidth(), sent.rDest.right - sent.rDest.left);
    // The DC and its bitmap are gone once the mixer has its copy.
    EXPECT_EQ(GetObjectType(sent.hdc), 0u);
}

TEST_F(OverlayFake, TextDoesNotReleaseThePictureSoAnUpdateBringsItBack)
{
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 320, 240}), 1);
    IDirect3DSurface9* surface = Inside(engine).overlaySurface().Get();
    ASSERT_EQ(engine.SetOverlayText("over it", 0, 0), 1);
    EXPECT_EQ(Inside(engine).overlaySurface().Get(), surface);
    ASSERT_EQ(engine.UpdateOverlayBitmap(100, 0xFFFFFF, RECT{0, 0, 320, 240}), 1);
    EXPECT_EQ(LastSet().pDDS, surface);
    EXPECT_EQ(LastSet().dwFlags, 0x0Cu);
}

TEST_F(OverlayFake, TextIsRefusedWithoutAPictureOrWithoutText)
{
    EXPECT_EQ(engine.SetOverlayText("", 0, 0), 0);
    EXPECT_EQ(engine.SetOverlayText(static_cast<const char*>(nullptr), 0, 0), 0);
    platform.Vmr().settings.nativeWidth = 0;
    EXPECT_EQ(engine.SetOverlayText("no picture", 0, 0), 0);
    EXPECT_EQ(platform.Log().Count("IVMRMixerBitmap9::SetAlphaBitmap"), 0u);
    EXPECT_EQ(engine.LastError(), "");
}

// ---- Fonts ----

TEST_F(OverlayFake, DefaultFontIsTwelvePointImpactWithoutSmoothing)
{
    HFONT font = Inside(engine).CreateTextFont();
    ASSERT_NE(font, nullptr);
    LOGFONTA described = {};
    ASSERT_NE(GetObjectA(font, sizeof described, &described), 0);
    EXPECT_EQ(described.lfHeight, -MulDiv(12, ScreenDpi(), 72));
    EXPECT_STREQ(described.lfFaceName, "Impact");
    EXPECT_EQ(described.lfQuality, NONANTIALIASED_QUALITY);
    EXPECT_EQ(described.lfWeight, FW_DONTCARE);
    EXPECT_EQ(described.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(described.lfItalic | described.lfUnderline | described.lfStrikeOut, 0);
    DeleteObject(font);
}

TEST_F(OverlayFake, FontSettersApplyToTheNextFontOnly)
{
    const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    ASSERT_EQ(forty.size(), 40u);
    engine.SetFontName(forty.c_str());
    engine.SetFontSize(24);
    engine.SetFontColor(RGB(0, 255, 0));
    EXPECT_EQ(Inside(engine).fontName(), std::wstring(forty.begin(), forty.end()));
    EXPECT_EQ(Inside(engine).textColor(), static_cast<COLORREF>(RGB(0, 255, 0)));

    HFONT font = Inside(engine).CreateTextFont();
    LOGFONTA described = {};
    ASSERT_NE(GetObjectA(font, sizeof described, &described), 0);
    EXPECT_EQ(std::string(described.lfFaceName), forty.substr(0, 31));
    EXPECT_EQ(described.lfHeight, -MulDiv(24, ScreenDpi(), 72));
    DeleteObject(font);

    engine.SetFontName(static_cast<const char*>(nullptr));
    EXPECT_EQ(Inside(engine).fontName(), std::wstring(forty.begin(), forty.end()));
}

// ---- Hiding and showing ----

TEST_F(OverlayFake, HideSendsOnlyTheDisableFlagAndKeepsTheRest)
{
    ASSERT_EQ(engine.SetOverlayText("hide me", 64, 48), 1);
    VMR9AlphaBitmap shown = Live();
    effectFlags = OVERLAY_DISABLED;
    ASSERT_EQ(engine.ShowOverlayText(effectFlags, "hide me", 64, 48), 1);

    VMR9AlphaBitmap sent = LastUpdate();
    EXPECT_EQ(sent.dwFlags, static_cast<DWORD>(VMR9AlphaBitmap_Disable));
    ExpectRect(sent.rDest, shown.rDest.left, shown.rDest.top, shown.rDest.right, shown.rDest.bottom);
    EXPECT_EQ(sent.fAlpha, shown.fAlpha);
    EXPECT_EQ(platform.Log().Count("IVMRMixerBitmap9::SetAlphaBitmap"), 1u);
    EXPECT_EQ(Inside(engine).reflipOnShow(), 0);
    EXPECT_EQ(Inside(engine).remirrorOnShow(), 0);
}

TEST_F(OverlayFake, ShowRebuildsThePictureFromTheFileAtItsHome)
{
    const std::string file = test_images::Bmp();
    ASSERT_EQ(engine.SetOverlayBitmap(file.c_str(), 80, 0xFFFFFF, RECT{10, 20, 110, 70}), 1);
    effectFlags = OVERLAY_DISABLED;
    ASSERT_EQ(engine.ShowOverlayBitmap(effectFlags, file.c_str(), 10, 20, 100, 50, 80), 1);
    EXPECT_EQ(Live().dwFlags, static_cast<DWORD>(VMR9AlphaBitmap_Disable));

    effectFlags = 0;
    ASSERT_EQ(engine.ShowOverlayBitmap(effectFlags, file.c_str(), 10, 20, 100, 50, 80), 1);
    EXPECT_EQ(platform.Made("surface"), 2u);
    VMR9AlphaBitmap sent = LastSet();
    EXPECT_EQ(sent.dwFlags, 0x0Cu);
    EXPECT_EQ(sent.pDDS, Inside(engine).overlaySurface().Get());
    ExpectRect(sent.rDest, Percent(1), Percent(4), Percent(17), Percent(14));
    EXPECT_EQ(sent.fAlpha, Percent(80));
    EXPECT_EQ(sent.clrSrcKey, 0xFFFFFFu);
}

TEST_F(OverlayFake, ShowWithNothingStoredDoesNothing)
{
    EXPECT_EQ(engine.ShowOverlayText(0, "", 0, 0), 0);
    EXPECT_EQ(engine.ShowOverlayBitmap(0, "", 0, 0, 10, 10, 100), 0);
    EXPECT_EQ(engine.ShowOverlayText(OVERLAY_DISABLED, static_cast<const char*>(nullptr), 0, 0), 0);
    EXPECT_TRUE(platform.Log().Sequence("IVMRMixerBitmap9").empty());
}

TEST_F(OverlayFake, HiddenWhileFlippedComesBackFlipped)
{
    ASSERT_EQ(engine.SetOverlayText("flip", 64, 48), 1);
    const OverlayRect home = Inside(engine).overlayRect();
    effectFlags = EFFECT_FLIP;
    ASSERT_EQ(engine.FlipOverlay(effectFlags), 1);
    effectFlags |= OVERLAY_DISABLED;
    ASSERT_EQ(engine.ShowOverlayText(effectFlags, "flip", 64, 48), 1);
    EXPECT_EQ(Inside(engine).reflipOnShow(), 1);
    EXPECT_EQ(Inside(engine).remirrorOnShow(), 0);

    effectFlags &= ~OVERLAY_DISABLED;
    ASSERT_EQ(engine.ShowOverlayText(effectFlags, "flip", 64, 48), 1);
    EXPECT_EQ(Inside(engine).reflipOnShow(), 0);
    VMR9AlphaBitmap live = Live();
    EXPECT_EQ(live.rDest.top, home.bottom);
    EXPECT_EQ(live.rDest.bottom, home.top);
    EXPECT_EQ(live.rDest.left, home.left);
    EXPECT_EQ(live.dwFlags & VMR9AlphaBitmap_Disable, 0u);
}

TEST_F(OverlayFake, HiddenWhileMirroredComesBackUnmirroredWhenTheMirrorWasSwitchedOff)
{
    ASSERT_EQ(engine.SetOverlayText("mirror", 64, 48), 1);
    const OverlayRect home = Inside(engine).overlayRect();
    effectFlags = EFFECT_MIRROR | EFFECT_FLIP;
    ASSERT_EQ(engine.MirrorOverlay(effectFlags), 1);
    ASSERT_EQ(engine.FlipOverlay(effectFlags), 1);
    effectFlags |= OVERLAY_DISABLED;
    ASSERT_EQ(engine.ShowOverlayText(effectFlags, "mirror", 64, 48), 1);
    EXPECT_EQ(Inside(engine).remirrorOnShow(), 1);
    EXPECT_EQ(Inside(engine).reflipOnShow(), 1);

    effectFlags = EFFECT_FLIP;  // mirror switched off while hidden, flip still on
    ASSERT_EQ(engine.ShowOverlayText(effectFlags, "mirror", 64, 48), 1);
    VMR9AlphaBitmap live = Live();
    EXPECT_EQ(live.rDest.left, home.left);
    EXPECT_EQ(live.rDest.right, home.right);
    EXPECT_EQ(live.rDest.top, home.bottom);
    EXPECT_EQ(live.rDest.bottom, home.top);
    EXPECT_EQ(Inside(engine).remirrorOnShow(), 0);
    EXPECT_EQ(Inside(engine).reflipOnShow(), 0);
}

TEST_F(OverlayFake, AFailedShowKeepsTheReminderForTheNextShow)
{
    ASSERT_EQ(engine.SetOverlayText("again", 64, 48), 1);
    effectFlags = EFFECT_FLIP | OVERLAY_DISABLED;
    ASSERT_EQ(engine.ShowOverlayText(effectFlags, "again", 64, 48), 1);
    effectFlags = EFFECT_FLIP;
    platform.FailNext("IVMRMixerBitmap9::SetAlphaBitmap", E_FAIL);
    EXPECT_EQ(engine.ShowOverlayText(effectFlags, "again", 64, 48), 0);
    EXPECT_EQ(Inside(engine).reflipOnShow(), 1);
    ASSERT_EQ(engine.ShowOverlayText(effectFlags, "again", 64, 48), 1);
    EXPECT_EQ(Live().rDest.top, Inside(engine).overlayRect().bottom);
}

TEST_F(OverlayFake, LongTextIsCutToTheSharedBuffer)
{
    std::string text(1500, 'W');
    text[998] = 'A';
    text[999] = 'B';
    ASSERT_EQ(engine.ShowOverlayText(0, text.c_str(), 0, 0), 1);
    EXPECT_EQ(std::wcslen(EngineInternals::textBuffer()), 999u);
    EXPECT_EQ(EngineInternals::textBuffer()[998], L'A');
    // Passing the buffer itself back in is safe.
    ASSERT_EQ(engine.ShowOverlayText(0, EngineInternals::textBuffer(), 0, 0), 1);
    EXPECT_EQ(std::wcslen(EngineInternals::textBuffer()), 999u);
}

// The cut of an ANSI text in a double-byte code page (this prefix's own is single-byte).
TEST(TextCut, ADoubleByteCharacterAtTheLimitStaysWholeOrGoes)
{
    // "AB" then two GBK characters (lead bytes 0xC4, 0xE3).
    const char text[] = "AB\xC4\xE3\xBA\xC3";
    struct { size_t limit; size_t expected; } cases[] = {{2, 2}, {3, 2}, {4, 4}, {5, 4}, {6, 6}, {9, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(WholeCharacterPrefix(text, c.limit, 936), c.expected) << "limit " << c.limit;
    EXPECT_EQ(WholeCharacterPrefix(text, 3, 1252), 3u);
}

// ---- Flip and mirror ----

TEST_F(OverlayFake, FlipAndMirrorExchangeEdgesAndGoHomeWithoutTheirFlag)
{
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{64, 48, 320, 240}), 1);
    const OverlayRect home = Inside(engine).overlayRect();

    ASSERT_EQ(engine.FlipOverlay(EFFECT_FLIP), 1);
    VMR9AlphaBitmap sent = LastUpdate();
    ExpectRect(sent.rDest, home.left, home.bottom, home.right, home.top);
    EXPECT_EQ(sent.dwFlags, 0x0Cu);
    EXPECT_EQ(sent.clrSrcKey, 0xFFFFFFu);

    ASSERT_EQ(engine.MirrorOverlay(EFFECT_MIRROR), 1);
    ExpectRect(LastUpdate().rDest, home.right, home.bottom, home.left, home.top);
    ASSERT_EQ(engine.FlipOverlay(0), 1);
    ExpectRect(LastUpdate().rDest, home.right, home.top, home.left, home.bottom);
    ASSERT_EQ(engine.MirrorOverlay(0), 1);
    ExpectRect(LastUpdate().rDest, home.left, home.top, home.right, home.bottom);
}

TEST_F(OverlayFake, MirrorWhileSlidingExchangesEdgesWhereTheOverlayIs)
{
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{64, 48, 320, 240}), 1);
    effectFlags = EFFECT_SLIDE;
    engine.SlideStep();
    VMR9AlphaBitmap moved = Live();
    ASSERT_EQ(engine.MirrorOverlay(effectFlags), 1);
    EXPECT_EQ(Live().rDest.left, moved.rDest.right);
    EXPECT_EQ(Live().rDest.right, moved.rDest.left);
}

TEST_F(OverlayFake, FlipMirrorAndShowNeedTheMixer)
{
    CVMR9Graph bare;
    EXPECT_EQ(bare.FlipOverlay(EFFECT_FLIP), 0);
    EXPECT_EQ(bare.MirrorOverlay(EFFECT_MIRROR), 0);
    EXPECT_EQ(bare.ShowOverlayText(OVERLAY_DISABLED, "text", 0, 0), 0);
    EXPECT_EQ(bare.ShowOverlayBitmap(0, "file.bmp", 0, 0, 1, 1, 100), 0);
    platform.FailNext("IVMRMixerBitmap9::UpdateAlphaBitmapParameters", E_FAIL, 3);
    EXPECT_EQ(engine.FlipOverlay(EFFECT_FLIP), 0);
    EXPECT_EQ(engine.MirrorOverlay(EFFECT_MIRROR), 0);
    EXPECT_EQ(engine.ShowOverlayText(OVERLAY_DISABLED, "text", 0, 0), 0);
}

// ---- Failures ----

TEST_F(OverlayFake, PictureNeedsTheMixerAndTheDevice)
{
    CVMR9Graph bare;
    EXPECT_EQ(bare.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 1, 1}), 0);
    EXPECT_TRUE(::LastErrorIs(bare, "Can't set bitmap, no VMR", E_FAIL));
    Inside(bare).lastError()[0] = '\0';
    EXPECT_EQ(bare.UpdateOverlayBitmap(100, 0xFFFFFF, RECT{0, 0, 1, 1}), 0);
    EXPECT_TRUE(::LastErrorIs(bare, "Can't set bitmap, no VMR", E_FAIL));

    platform.FailDirect3DCreate();
    EXPECT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 1, 1}), 0);
    EXPECT_TRUE(LastErrorIs("Can't set bitmap, no Direct3D device", E_FAIL));
    Inside(engine).lastError()[0] = '\0';
    EXPECT_EQ(engine.UpdateOverlayBitmap(100, 0xFFFFFF, RECT{0, 0, 1, 1}), 0);
    EXPECT_TRUE(LastErrorIs("Can't set bitmap, no Direct3D device", E_FAIL));
}

TEST_F(OverlayFake, TheFirstPictureSetsDirect3DUp)
{
    EXPECT_EQ(engine.SetOverlayText("text needs no device", 0, 0), 1);
    EXPECT_FALSE(Inside(engine).d3d());
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 1)
        << engine.LastError();
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 1);
    EXPECT_EQ(platform.Log().Sequence("IDirect3D9::"),
              (std::vector<std::string>{"d3d0 IDirect3D9::GetAdapterDisplayMode", "d3d0 IDirect3D9::CreateDevice"}));
}

TEST_F(OverlayFake, UpdateBeforeAnyPictureReportsNoSurface)
{
    EXPECT_EQ(engine.UpdateOverlayBitmap(100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    EXPECT_TRUE(LastErrorIs("Can't set bitmap, no Direct3D surface", E_FAIL));
    EXPECT_EQ(platform.Log().Count("IVMRMixerBitmap9::SetAlphaBitmap"), 0u);
}

TEST_F(OverlayFake, FailedSurfaceCreationIsReportedWithItsCode)
{
    platform.FailNext("IDirect3DDevice9::CreateOffscreenPlainSurface", E_OUTOFMEMORY);
    EXPECT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    EXPECT_TRUE(LastErrorIs("Can't create a Direct3d surface", E_OUTOFMEMORY));
    EXPECT_FALSE(Inside(engine).overlaySurface());
}

TEST_F(OverlayFake, RefusedPictureKeepsTheNewHomeAndItsSurfaceForTheNextUpdate)
{
    ASSERT_EQ(engine.SetOverlayText("before", 0, 0), 1);
    platform.FailNext("IVMRMixerBitmap9::SetAlphaBitmap", E_NOTIMPL);
    EXPECT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 40, 0xFFFFFF, RECT{320, 0, 640, 240}), 0);
    EXPECT_TRUE(LastErrorIs("Can't display the bitmap", E_NOTIMPL, "Not implemented."));
    EXPECT_EQ(Inside(engine).overlayRect().left, Percent(50));
    EXPECT_EQ(Inside(engine).overlayWidth(), Percent(100) - Percent(50));
    EXPECT_EQ(Inside(engine).overlayAlpha(), Percent(40));
    IDirect3DSurface9* kept = Inside(engine).overlaySurface().Get();
    ASSERT_NE(kept, nullptr);

    // The retry offers the very picture that was refused, without reading the file again.
    EXPECT_EQ(engine.UpdateOverlayBitmap(60, 0xFFFFFF, RECT{0, 0, 320, 240}), 1) << engine.LastError();
    EXPECT_EQ(LastSet().pDDS, kept);
    EXPECT_EQ(LastSet().fAlpha, Percent(60));
    EXPECT_EQ(platform.Made("surface"), 1u);
    EXPECT_EQ(platform.Log().Count("D3DXLoadSurfaceFromFileW"), 1u);
}

TEST_F(OverlayFake, UnknownNativeSizeFailsAfterReleasingThePicture)
{
    ASSERT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 1);
    Inside(engine).lastError()[0] = '\0';
    platform.FailNext("IVMRWindowlessControl9::GetNativeVideoSize", E_FAIL);
    EXPECT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    EXPECT_FALSE(Inside(engine).overlaySurface());
    EXPECT_NE(std::string(engine.LastError()).find("Can't set bitmap, no video size"), std::string::npos);
    EXPECT_EQ(platform.Made("surface"), 1u);
}

TEST_F(OverlayFake, EmptyNativePictureGivesNoPlaceForThePicture)
{
    platform.Vmr().settings.nativeWidth = 0;
    EXPECT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    EXPECT_TRUE(Inside(engine).overlaySurface()) << "kept for an update once the picture has a size";
    EXPECT_EQ(platform.Log().Count("IVMRMixerBitmap9::SetAlphaBitmap"), 0u);
    EXPECT_EQ(Inside(engine).overlayWidth(), 0.0f);
}

TEST_F(OverlayFake, ReadBitmapSizeAnswersOnlyForBitmapFiles)
{
    int height = -1, width = -1;
    ASSERT_EQ(engine.ReadBitmapSize(test_images::Bmp().c_str(), &height, &width), 1);
    EXPECT_EQ(height, test_images::kHeight);
    EXPECT_EQ(width, test_images::kWidth);
    height = width = -1;
    EXPECT_EQ(engine.ReadBitmapSize(test_images::Png().c_str(), &height, &width), 0);
    EXPECT_EQ(engine.ReadBitmapSize("Z:\\no\\such\\file.bmp", &height, &width), 0);
    EXPECT_EQ(engine.ReadBitmapSize(static_cast<const char*>(nullptr), &height, &width), 0);
    EXPECT_EQ(engine.ReadBitmapSize(test_images::Bmp().c_str(), nullptr, &width), 0);
    EXPECT_EQ(height, -1);
    EXPECT_EQ(width, -1);
}

TEST_F(OverlayFake, BeforeAnyOverlayTheHomeIsEmptyAndOpaque)
{
    EXPECT_EQ(Inside(engine).overlayRect().left, 0.0f);
    EXPECT_EQ(Inside(engine).overlayRect().right, 0.0f);
    EXPECT_EQ(Inside(engine).overlayWidth(), 0.0f);
    EXPECT_EQ(Inside(engine).overlayAlpha(), 1.0f);
    EXPECT_EQ(Inside(engine).fontSize(), 12);
    EXPECT_EQ(Inside(engine).textColor(), 255u);
    EXPECT_EQ(Inside(engine).fontName(), L"Impact");
    // Going home without an overlay sends the empty home, not stale values.
    ASSERT_EQ(engine.MirrorOverlay(0), 1);
    EXPECT_EQ(LastUpdate().rDest.left, 0.0f);
    EXPECT_EQ(LastUpdate().rDest.right, 0.0f);
}

TEST_F(OverlayFake, EveryPictureSurfaceIsReleasedOnceReplacedOrClosed)
{
    const std::string file = test_images::Bmp();
    ASSERT_EQ(engine.SetOverlayBitmap(file.c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 1);
    ASSERT_EQ(engine.SetOverlayBitmap(file.c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 1);
    platform.FailNext("IVMRMixerBitmap9::SetAlphaBitmap", E_FAIL);
    EXPECT_EQ(engine.SetOverlayBitmap(file.c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    ASSERT_EQ(engine.SetOverlayBitmap(file.c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 1);
    ASSERT_EQ(platform.Made("surface"), 4u);
    engine.CloseGraph();

    std::string surfaceLines;
    std::string report = platform.ReferenceReport();
    for (size_t start = 0; start < report.size();) {
        size_t end = report.find('\n', start);
        std::string line = report.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (line.rfind("surface", 0) == 0)
            surfaceLines += line + "\n";
        start = end == std::string::npos ? report.size() : end + 1;
    }
    EXPECT_EQ(surfaceLines, "");
}
