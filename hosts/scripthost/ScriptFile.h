// Reads a script file as text: UTF-16 or UTF-8 with a byte-order mark, else UTF-8, else ANSI.
#pragma once

#include <string>

bool ReadScriptFile(const std::wstring& path, std::wstring& text);
