// Conversions between the framework's narrow strings (system ANSI code page) and UTF-16.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

std::wstring WideFromNarrow(const std::string& text);
std::string NarrowFromWide(const wchar_t* text, int length = -1);
// A new BSTR, or nullptr when out of memory.
BSTR BstrFromNarrow(const std::string& text);
