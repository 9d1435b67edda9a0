// The file path of a loaded module, as registration writes it.
#pragma once

#include <windows.h>

#include <string>

// Empty when the module handle is not valid.
std::wstring ModuleFullPath(HINSTANCE module);
// The short (8.3) form, or the full path where the file system has no short names.
std::wstring ModuleShortPath(HINSTANCE module);
