#include "ScriptEventHandler.h"

#include <wrl/client.h>

void CallScriptEventHandler(CScriptSession& session, const std::wstring& handler, DISPPARAMS* parameters)
{
    Microsoft::WRL::ComPtr<IDispatch> script;
    if (FAILED(session.ScriptDispatch(&script)) || !script)
        return;
    std::wstring name = handler;
    LPOLESTR names = &name[0];
    DISPID handlerId = DISPID_UNKNOWN;
    if (FAILED(script->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &handlerId)))
        return;

    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    VARIANT handlerResult;
    VariantInit(&handlerResult);
    HRESULT hr = script->Invoke(handlerId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                parameters ? parameters : &none, &handlerResult, &exception, &argumentError);
    VariantClear(&handlerResult);
    // SCRIPT_E_REPORTED: the engine has told the site already.
    if (FAILED(hr) && hr != static_cast<HRESULT>(SCRIPT_E_REPORTED) && !session.QuitRequested()) {
        wchar_t code[16];
        wsprintfW(code, L"0x%08x", static_cast<unsigned>(hr));
        std::wstring description = exception.bstrDescription ? exception.bstrDescription : code;
        session.ReportError(session.ScriptPath() + L": event handler " + handler + L" failed: " + description);
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}
