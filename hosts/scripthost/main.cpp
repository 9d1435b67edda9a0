// scripthost [/engine:VBScript|JScript] script.vbs|script.js
#include "ConsoleOutput.h"
#include "ScriptRunner.h"

#include <windows.h>
#include <ole2.h>

#include <string>

namespace {

constexpr int kExitUsage = 2;
const wchar_t kEngineOption[] = L"/engine:";

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring engine;
    std::wstring script;
    bool tooManyArguments = false;
    for (int i = 1; i < argc; ++i) {
        std::wstring argument = argv[i];
        if (argument.compare(0, lstrlenW(kEngineOption), kEngineOption) == 0)
            engine = argument.substr(lstrlenW(kEngineOption));
        else if (script.empty())
            script = argument;
        else
            tooManyArguments = true;
    }
    if (engine.empty())
        engine = EngineForFile(script);
    if (tooManyArguments || script.empty() || engine.empty()) {
        WriteErrorLine(L"usage: scripthost [/engine:VBScript|JScript] script.vbs|script.js");
        return kExitUsage;
    }
    if (FAILED(OleInitialize(nullptr))) {
        WriteErrorLine(L"Cannot initialise OLE");
        return kExitUsage;
    }
    int code = RunScriptFile(script, engine);
    OleUninitialize();
    // The script's result is final here. 64-bit Wine 8 can crash (SIGSEGV in its syscall
    // dispatcher) while ExitProcess tears down the threads that played graphs leave behind,
    // which would turn a passed script into a failed run; ending the process outright does not.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    return code;
}
