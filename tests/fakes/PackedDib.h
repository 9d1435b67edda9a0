// Builds the packed device-independent bitmap (info header, colour table, bits) that the mixer
// hands back from GetCurrentImage, so tests can script images of any layout.
#pragma once

#include <windows.h>

#include <vector>

std::vector<BYTE> MakePackedDib(LONG width, LONG height, WORD bitCount, DWORD colorsUsed = 0,
                                BYTE fill = 0);
