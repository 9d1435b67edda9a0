// Text lines to standard output and standard error, as UTF-8.
#pragma once

#include <string>

void WriteOutputLine(const std::wstring& text);
void WriteErrorLine(const std::wstring& text);
