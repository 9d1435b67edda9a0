// The module object of Corvane.OCX: its instance handle and its application title.
#pragma once

#include <windows.h>

// The title a message box of the module would carry; the framework itself shows none.
inline constexpr char kApplicationTitle[] = "Quendra Software";

// The module file's handle, for its resources and its path.
HINSTANCE CorvaneInstance();
