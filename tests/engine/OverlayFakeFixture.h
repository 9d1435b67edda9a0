// Helpers of the overlay and effect tests, on an engine built on the fake platform (640 x 480
// native pixels): the fake mixer keeps the alpha-bitmap records the engine sends.
#pragma once

#include "EngineFixture.h"

#include <cstring>

class OverlayFake : public BuiltFakeEngine
{
protected:
    // Whole percent as the engine turns it into a fraction.
    static float Percent(int percent) { return static_cast<float>(percent) * 0.01f; }

    VMR9AlphaBitmap LastSet()
    {
        return platform.Log().Last("IVMRMixerBitmap9::SetAlphaBitmap").Raw<VMR9AlphaBitmap>();
    }
    VMR9AlphaBitmap LastUpdate()
    {
        return platform.Log().Last("IVMRMixerBitmap9::UpdateAlphaBitmapParameters").Raw<VMR9AlphaBitmap>();
    }
    size_t Updates() { return platform.Log().Count("IVMRMixerBitmap9::UpdateAlphaBitmapParameters"); }
    // The parameters the mixer holds now.
    VMR9AlphaBitmap Live() { return platform.Vmr().alphaBitmap; }

    // Measures text in the font the engine drew it with.
    static SIZE TextExtent(HFONT font, const char* text)
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
        SelectObject(dc, previous);
        DeleteDC(dc);
        return size;
    }

    // A picture whose home rectangle, on a 100 x 100 native picture, is exactly the given percents.
    void PictureAtPercent(int left, int top, int right, int bottom, int alpha = 100);
};

// Rebuilds on a 100 x 100 picture so that pixels are percents.
inline void OverlayFake::PictureAtPercent(int left, int top, int right, int bottom, int alpha)
{
    platform.Vmr().settings.nativeWidth = 100;
    platform.Vmr().settings.nativeHeight = 100;
    ASSERT_EQ(engine.SetOverlayBitmap("missing.png", alpha, 0xFFFFFF, RECT{left, top, right, bottom}), 1)
        << engine.LastError();
}
