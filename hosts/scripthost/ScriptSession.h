// What one script run shares between the site, the Host object and the event sinks: the
// engine, the outcome (errors, Quit) and the event connections to close at the end.
#pragma once

#include <windows.h>
#include <activscp.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <string>
#include <utility>
#include <vector>

class CScriptSession final
{
public:
    explicit CScriptSession(std::wstring scriptPath);
    CScriptSession(const CScriptSession&) = delete;
    CScriptSession& operator=(const CScriptSession&) = delete;

    const std::wstring& ScriptPath() const { return scriptPath; }
    void SetEngine(IActiveScript* script) { engine = script; }
    // The script's global routines, for calling event handlers by name.
    HRESULT ScriptDispatch(IDispatch** dispatch);

    // Writes the error to standard error; the run then ends with a non-zero exit code.
    void ReportError(const std::wstring& text);
    void RequestQuit(int code);
    bool QuitRequested() const { return quitRequested; }
    int ExitCode() const;

    void KeepConnection(IConnectionPoint* point, DWORD cookie);
    // Unadvises every event connection made for the script.
    void DisconnectAll();

private:
    std::wstring scriptPath;
    Microsoft::WRL::ComPtr<IActiveScript> engine;
    bool failed = false;
    bool quitRequested = false;
    int quitCode = 0;
    std::vector<std::pair<Microsoft::WRL::ComPtr<IConnectionPoint>, DWORD>> connections;
};
