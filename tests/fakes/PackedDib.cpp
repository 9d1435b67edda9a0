#include "fakes/PackedDib.h"

#include <cstring>

std::vector<BYTE> MakePackedDib(LONG width, LONG height, WORD bitCount, DWORD colorsUsed,
                                BYTE fill)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    DWORD stride = ((static_cast<DWORD>(width) * bitCount + 31) / 32) * 4;
    header.biSizeImage = stride * static_cast<DWORD>(height < 0 ? -height : height);
    header.biClrUsed = colorsUsed;
    DWORD entries = colorsUsed ? colorsUsed : (bitCount <= 8 ? (1u << bitCount) : 0);
    std::vector<BYTE> block(sizeof header + entries * sizeof(RGBQUAD) + header.biSizeImage, fill);
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}
