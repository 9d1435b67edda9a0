// Test paths and texts, made narrow, as the UTF-16 the control takes (system code page).
#pragma once

#include <windows.h>

#include <string>

inline std::wstring Widened(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                        &wide[0], static_cast<int>(wide.size()))));
    return wide;
}
