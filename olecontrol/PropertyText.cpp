#include "PropertyText.h"

std::wstring WideFromNarrow(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string NarrowFromWide(const wchar_t* text, int length)
{
    if (!text)
        return std::string();
    if (length < 0)
        length = lstrlenW(text);
    if (length == 0)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

BSTR BstrFromNarrow(const std::string& text)
{
    std::wstring wide = WideFromNarrow(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}
