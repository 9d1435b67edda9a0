// The narrow forms of the operations that take names and texts, for callers whose text is in
// the system ANSI code page: each converts once and runs the UTF-16 operation. A null stays null.
#include "VMR9Graph.h"

#include "EngineText.h"

namespace {
// The converted text, or null for a null text.
class WideArgument final
{
public:
    explicit WideArgument(const char* text) : present(text != nullptr), wide(WidenAnsiText(text)) {}
    const wchar_t* Get() const { return present ? wide.c_str() : nullptr; }

private:
    bool present;
    std::wstring wide;
};
}  // namespace

int CVMR9Graph::ReadBitmapSize(const char* fileName, int* height, int* width)
{
    return ReadBitmapSize(WideArgument(fileName).Get(), height, width);
}

int CVMR9Graph::SetOverlayBitmap(const char* fileName, int alphaPercent, COLORREF colorKey, const RECT& pixels)
{
    return SetOverlayBitmap(WideArgument(fileName).Get(), alphaPercent, colorKey, pixels);
}

int CVMR9Graph::SetOverlayText(const char* text, int left, int top)
{
    return SetOverlayText(WideArgument(text).Get(), left, top);
}

void CVMR9Graph::SetFontName(const char* faceName)
{
    SetFontName(WideArgument(faceName).Get());
}

int CVMR9Graph::ShowOverlayBitmap(LONG flags, const char* fileName, int left, int top, int width, int height,
                                  int alphaPercent)
{
    return ShowOverlayBitmap(flags, WideArgument(fileName).Get(), left, top, width, height, alphaPercent);
}

int CVMR9Graph::ShowOverlayText(LONG flags, const char* text, int left, int top)
{
    // Cut in bytes, as the buffer of ANSI callers always was, but never inside a character.
    const std::string fitted = text ? std::string(text, WholeCharacterPrefix(text, kTextBufferSize - 1)) : "";
    return ShowOverlayText(flags, WideArgument(text ? fitted.c_str() : nullptr).Get(), left, top);
}

int CVMR9Graph::SaveCurrentImage(const char* path)
{
    return SaveCurrentImage(WideArgument(path).Get());
}

int CVMR9Graph::SetMediaFile(const char* fileName, LONG layer, BOOL haveSound)
{
    return SetMediaFile(WideArgument(fileName).Get(), layer, haveSound);
}
