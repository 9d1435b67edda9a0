#include "ScriptRunner.h"

#include "ConsoleOutput.h"
#include "HostObject.h"
#include "ScriptFile.h"
#include "ScriptSession.h"
#include "ScriptSite.h"

#include <new>

using Microsoft::WRL::ComPtr;

namespace {

constexpr int kExitCannotStart = 3;

// Parses and runs the text; errors reach the session through the site.
void Execute(IActiveScript* engine, IActiveScriptParse* parser, const std::wstring& text)
{
    EXCEPINFO exception = {};
    if (SUCCEEDED(parser->ParseScriptText(text.c_str(), nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_ISVISIBLE,
                                          nullptr, &exception)))
        engine->SetScriptState(SCRIPTSTATE_CONNECTED);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

} // namespace

std::wstring EngineForFile(const std::wstring& path)
{
    size_t dot = path.find_last_of(L'.');
    std::wstring extension = dot == std::wstring::npos ? L"" : path.substr(dot);
    if (lstrcmpiW(extension.c_str(), L".vbs") == 0)
        return L"VBScript";
    if (lstrcmpiW(extension.c_str(), L".js") == 0)
        return L"JScript";
    return std::wstring();
}

int RunScriptFile(const std::wstring& path, const std::wstring& engineName)
{
    std::wstring text;
    if (!ReadScriptFile(path, text)) {
        WriteErrorLine(L"Cannot read the script " + path);
        return kExitCannotStart;
    }
    CLSID engineClass = {};
    ComPtr<IActiveScript> engine;
    ComPtr<IActiveScriptParse> parser;
    if (FAILED(CLSIDFromProgID(engineName.c_str(), &engineClass)) ||
        FAILED(CoCreateInstance(engineClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&engine))) ||
        FAILED(engine.As(&parser))) {
        WriteErrorLine(L"Cannot start the script engine " + engineName);
        return kExitCannotStart;
    }

    CScriptSession session(path);
    ComPtr<CHostObject> host;
    host.Attach(new (std::nothrow) CHostObject(session));
    ComPtr<CScriptSite> site;
    if (host)
        site.Attach(new (std::nothrow) CScriptSite(session, host.Get()));
    if (!site || FAILED(engine->SetScriptSite(site.Get())) || FAILED(parser->InitNew()) ||
        FAILED(engine->AddNamedItem(kHostItemName, SCRIPTITEM_ISVISIBLE | SCRIPTITEM_NOCODE))) {
        WriteErrorLine(L"Cannot prepare the script engine " + engineName);
        return kExitCannotStart;
    }
    session.SetEngine(engine.Get());
    Execute(engine.Get(), parser.Get(), text);

    // Events stop before the engine goes away.
    session.DisconnectAll();
    session.SetEngine(nullptr);
    engine->Close();
    return session.ExitCode();
}
