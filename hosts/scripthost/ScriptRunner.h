// Runs one script file in the named engine ("VBScript" or "JScript") and gives the exit code:
// the Host.Quit code, else 1 after a script error, else 0.
#pragma once

#include <string>

int RunScriptFile(const std::wstring& path, const std::wstring& engineName);

// "VBScript" for .vbs, "JScript" for .js, empty for anything else.
std::wstring EngineForFile(const std::wstring& path);
