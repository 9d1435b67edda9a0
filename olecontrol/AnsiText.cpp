#include "AnsiText.h"

#include <cstring>

std::string AnsiFromWide(const wchar_t* text, int length)
{
    if (!text)
        return {};
    if (length < 0)
        length = lstrlenW(text);
    if (length == 0)
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], size, nullptr, nullptr);
    return ansi;
}

std::string AnsiFromBstr(BSTR text)
{
    return text ? AnsiFromWide(text, static_cast<int>(SysStringLen(text))) : std::string();
}

std::wstring WideFromAnsi(const char* text, int length)
{
    if (!text)
        return {};
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    if (length == 0)
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], size);
    return wide;
}

std::wstring WideFromAnsi(const std::string& text)
{
    return WideFromAnsi(text.data(), static_cast<int>(text.size()));
}

BSTR BstrFromAnsi(const char* text)
{
    return BstrFromAnsi(text ? std::string(text) : std::string());
}

BSTR BstrFromAnsi(const std::string& text)
{
    const std::wstring wide = WideFromAnsi(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}
