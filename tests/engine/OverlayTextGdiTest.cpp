// Text drawn for real with GDI under Wine: the fake mixer copies the pixels out of the device
// context the engine hands it, and the copy is checked.
#include "OverlayFakeFixture.h"
#include "engine/EngineInternals.h"

namespace {

// COLORREF is 0x00BBGGRR; the copied picture is 0x00RRGGBB.
DWORD AsPixel(COLORREF color)
{
    return (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8) |
           GetBValue(color);
}

struct PixelCount
{
    size_t glyph = 0;
    size_t white = 0;
    size_t other = 0;
};

PixelCount CountPixels(const OverlayPicture& picture, DWORD glyphColor)
{
    PixelCount count;
    for (DWORD pixel : picture.pixels) {
        if (pixel == glyphColor)
            ++count.glyph;
        else if (pixel == 0xFFFFFF)
            ++count.white;
        else
            ++count.other;
    }
    return count;
}

}  // namespace

using OverlayTextGdi = OverlayFake;

TEST_F(OverlayTextGdi, DefaultTextIsRedGlyphsOnPureWhite)
{
    const char text[] = "Corvane HW";
    ASSERT_EQ(engine.SetOverlayText(text, 10, 10), 1);
    const OverlayPicture& picture = platform.Vmr().overlayPicture;
    SIZE size = TextExtent(Inside(engine).textFont(), text);
    EXPECT_EQ(picture.width, size.cx);
    EXPECT_EQ(picture.height, size.cy);
    ASSERT_EQ(picture.pixels.size(), static_cast<size_t>(size.cx * size.cy));

    PixelCount count = CountPixels(picture, 0xFF0000);
    // Without smoothing there are exactly two colours: glyphs and the keyed-out background.
    EXPECT_EQ(count.other, 0u);
    EXPECT_GT(count.glyph, static_cast<size_t>(size.cx));
    EXPECT_GT(count.white, count.glyph);
    // The top-left corner lies in the cell's leading, never under a glyph.
    EXPECT_EQ(picture.Pixel(0, 0), 0xFFFFFFu);
}

TEST_F(OverlayTextGdi, GlyphsTakeTheFontColourWithChannelsInOrder)
{
    const COLORREF color = RGB(0x20, 0x80, 0xC0);
    engine.SetFontColor(color);
    ASSERT_EQ(engine.SetOverlayText("Mixed 123", 0, 0), 1);
    PixelCount count = CountPixels(platform.Vmr().overlayPicture, AsPixel(color));
    EXPECT_EQ(count.other, 0u);
    EXPECT_GT(count.glyph, 20u);
    EXPECT_GT(count.white, 0u);
}

TEST_F(OverlayTextGdi, WhiteTextFallsOnTheColourKey)
{
    engine.SetFontColor(RGB(255, 255, 255));
    ASSERT_EQ(engine.SetOverlayText("invisible", 0, 0), 1);
    const OverlayPicture& picture = platform.Vmr().overlayPicture;
    ASSERT_FALSE(picture.pixels.empty());
    EXPECT_EQ(CountPixels(picture, 0xFFFFFF).glyph, picture.pixels.size());
}

TEST_F(OverlayTextGdi, TwelvePointsAtNinetySixDpiAreSixteenPixelsHigh)
{
    HDC screen = GetDC(window.Handle());
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(window.Handle(), screen);
    ASSERT_EQ(dpi, 96) << "the display is not at the standard resolution";

    ASSERT_EQ(engine.SetOverlayText("Height", 0, 0), 1);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, Inside(engine).textFont());
    TEXTMETRICA metrics = {};
    ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
    SelectObject(dc, previous);
    DeleteDC(dc);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 16);
    EXPECT_EQ(platform.Vmr().overlayPicture.height, metrics.tmHeight);
}

TEST_F(OverlayTextGdi, NewSizeAndColourShowOnlyInTheNextText)
{
    ASSERT_EQ(engine.SetOverlayText("Grow", 0, 0), 1);
    const LONG smallHeight = platform.Vmr().overlayPicture.height;
    engine.SetFontSize(24);
    engine.SetFontColor(RGB(0, 255, 0));
    EXPECT_EQ(CountPixels(platform.Vmr().overlayPicture, 0xFF0000).other, 0u);
    ASSERT_EQ(engine.SetOverlayText("Grow", 0, 0), 1);
    EXPECT_GT(platform.Vmr().overlayPicture.height, smallHeight);
    PixelCount count = CountPixels(platform.Vmr().overlayPicture, 0x00FF00);
    EXPECT_EQ(count.other, 0u);
    EXPECT_GT(count.glyph, 0u);
}
