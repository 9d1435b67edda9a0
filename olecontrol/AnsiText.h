// Automation strings are UTF-16; the framework's own strings (handler arguments, exchanged
// items) are in the system ANSI code page.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// Null is the empty string; a negative length reads up to the terminating null. Characters the
// code page lacks become its default character.
std::string AnsiFromWide(const wchar_t* text, int length = -1);
std::string AnsiFromBstr(BSTR text);
std::wstring WideFromAnsi(const char* text, int length = -1);
std::wstring WideFromAnsi(const std::string& text);
// A newly allocated BSTR (the caller frees it), or null when memory runs out.
BSTR BstrFromAnsi(const char* text);
BSTR BstrFromAnsi(const std::string& text);
