#include "EventSink.h"

CEventSink::CEventSink(CScriptSession& session, std::wstring prefix, REFIID sourceIid, ITypeInfo* events)
    : session(session), prefix(std::move(prefix)), sourceIid(sourceIid), events(events)
{
}

bool CEventSink::IsOffered(REFIID iid) const
{
    return iid == IID_IDispatch || iid == sourceIid;
}

STDMETHODIMP CEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* dispids)
{
    for (UINT i = 0; dispids && i < count; ++i)
        dispids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

bool CEventSink::EventName(DISPID dispid, std::wstring& name) const
{
    if (!events)
        return false;
    BSTR found = nullptr;
    UINT count = 0;
    if (FAILED(events->GetNames(dispid, &found, 1, &count)) || count == 0 || !found)
        return false;
    name.assign(found, SysStringLen(found));
    SysFreeString(found);
    return true;
}

STDMETHODIMP CEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result,
                                EXCEPINFO*, UINT*)
{
    if (result)
        VariantInit(result);
    return WithoutThrowing([&] { return CallHandler(dispid, parameters); });
}

HRESULT CEventSink::CallHandler(DISPID dispid, DISPPARAMS* parameters)
{
    std::wstring eventName;
    if (!EventName(dispid, eventName))
        return S_OK;
    std::wstring handler = prefix + eventName;
    Microsoft::WRL::ComPtr<IDispatch> script;
    if (FAILED(session.ScriptDispatch(&script)) || !script)
        return S_OK;
    LPOLESTR name = &handler[0];
    DISPID handlerId = DISPID_UNKNOWN;
    if (FAILED(script->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &handlerId)))
        return S_OK;

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
    return S_OK;
}
