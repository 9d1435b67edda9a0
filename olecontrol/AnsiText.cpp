#include "AnsiText.h"

std::string AnsiFromBstr(BSTR text)
{
    if (!text)
        return {};
    const int wideLength = static_cast<int>(SysStringLen(text));
    if (wideLength == 0)
        return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wideLength, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

std::wstring WideFromAnsi(const char* text)
{
    if (!text || !*text)
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length > 0 ? length - 1 : 0));
    return wide;
}

BSTR BstrFromAnsi(const char* text)
{
    const std::wstring wide = WideFromAnsi(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}
