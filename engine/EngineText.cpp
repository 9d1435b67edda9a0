#include "EngineText.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

std::wstring WidenAnsiText(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

size_t WholeCharacterPrefix(const wchar_t* text, size_t limit)
{
    if (!text)
        return 0;
    size_t length = wcsnlen(text, limit);
    // Cut just after a high surrogate whose low half lies beyond the limit.
    if (length == limit && length > 0 && text[length] != L'\0' && IS_HIGH_SURROGATE(text[length - 1]))
        --length;
    return length;
}

size_t WholeCharacterPrefix(const char* text, size_t limit, unsigned codePage)
{
    if (!text)
        return 0;
    size_t length = 0;
    while (length < limit && text[length] != '\0') {
        const size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[length])) && text[length + 1] != '\0' ? 2 : 1;
        if (length + step > limit)
            break;
        length += step;
    }
    return length;
}
