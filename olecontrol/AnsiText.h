// Automation strings are UTF-16; handlers see text in the system ANSI code page.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// A null BSTR is the empty string. Characters the code page lacks become its default character.
std::string AnsiFromBstr(BSTR text);
// A newly allocated BSTR (the caller frees it), or null when memory runs out.
BSTR BstrFromAnsi(const char* text);
std::wstring WideFromAnsi(const char* text);
