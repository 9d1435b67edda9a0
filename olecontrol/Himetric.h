// The container speaks HIMETRIC (0.01 mm) for extents; windows speak pixels of the screen.
#pragma once

#include <windows.h>

inline int ScreenPixelsPerInch(bool horizontal)
{
    HDC screen = GetDC(nullptr);
    const int perInch = screen ? GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return perInch > 0 ? perInch : 96;
}

inline SIZEL PixelsToHimetric(SIZE pixels)
{
    return {MulDiv(pixels.cx, 2540, ScreenPixelsPerInch(true)), MulDiv(pixels.cy, 2540, ScreenPixelsPerInch(false))};
}

inline SIZE HimetricToPixels(SIZEL himetric)
{
    return {MulDiv(himetric.cx, ScreenPixelsPerInch(true), 2540), MulDiv(himetric.cy, ScreenPixelsPerInch(false), 2540)};
}
