// Names and texts travel through the engine as UTF-16, the form the platform takes them in.
// The narrow entry points kept for ANSI callers convert here, once, from the system code page.
#pragma once

#include <cstddef>
#include <string>

// Null gives the empty string.
std::wstring WidenAnsiText(const char* text);

// How many leading units of the text fit in `limit` units without cutting a character in two:
// a surrogate pair (UTF-16), a double-byte character (ANSI, in `codePage`) stays whole or goes.
size_t WholeCharacterPrefix(const wchar_t* text, size_t limit);
size_t WholeCharacterPrefix(const char* text, size_t limit, unsigned codePage = 0 /* CP_ACP */);
