#include "ScriptSession.h"

#include "ConsoleOutput.h"

CScriptSession::CScriptSession(std::wstring scriptPath) : scriptPath(std::move(scriptPath)) {}

HRESULT CScriptSession::ScriptDispatch(IDispatch** dispatch)
{
    if (!engine)
        return E_UNEXPECTED;
    return engine->GetScriptDispatch(nullptr, dispatch);
}

void CScriptSession::ReportError(const std::wstring& text)
{
    failed = true;
    WriteErrorLine(text);
}

void CScriptSession::RequestQuit(int code)
{
    quitRequested = true;
    quitCode = code;
}

int CScriptSession::ExitCode() const
{
    if (quitRequested)
        return quitCode;
    return failed ? 1 : 0;
}

void CScriptSession::KeepConnection(IConnectionPoint* point, DWORD cookie)
{
    connections.emplace_back(point, cookie);
}

void CScriptSession::DisconnectAll()
{
    for (auto& connection : connections)
        connection.first->Unadvise(connection.second);
    connections.clear();
}
