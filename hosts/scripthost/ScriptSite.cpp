#include "ScriptSite.h"

#include <string>

const wchar_t kHostItemName[] = L"Host";

CScriptSite::CScriptSite(CScriptSession& session, IDispatch* host) : session(session), host(host) {}

bool CScriptSite::IsOffered(REFIID iid) const
{
    return iid == IID_IActiveScriptSite;
}

STDMETHODIMP CScriptSite::GetLCID(LCID* locale)
{
    if (!locale)
        return E_POINTER;
    *locale = LOCALE_USER_DEFAULT;
    return S_OK;
}

STDMETHODIMP CScriptSite::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** typeInfo)
{
    if (item)
        *item = nullptr;
    if (typeInfo)
        *typeInfo = nullptr;
    if (!name || lstrcmpiW(name, kHostItemName) != 0)
        return TYPE_E_ELEMENTNOTFOUND;
    if (mask & SCRIPTINFO_IUNKNOWN) {
        if (!item)
            return E_POINTER;
        *item = host.Get();
        host->AddRef();
    }
    // The Host object is late bound only: no type information.
    return (mask & SCRIPTINFO_IUNKNOWN) ? S_OK : TYPE_E_ELEMENTNOTFOUND;
}

STDMETHODIMP CScriptSite::GetDocVersionString(BSTR* version)
{
    if (version)
        *version = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CScriptSite::OnScriptTerminate(const VARIANT*, const EXCEPINFO*)
{
    return S_OK;
}

STDMETHODIMP CScriptSite::OnStateChange(SCRIPTSTATE)
{
    return S_OK;
}

STDMETHODIMP CScriptSite::OnScriptError(IActiveScriptError* error)
{
    // Host.Quit stops the script through an error; that is no failure.
    if (session.QuitRequested() || !error)
        return S_OK;
    return WithoutThrowing([&] { return ReportScriptError(*error); });
}

HRESULT CScriptSite::ReportScriptError(IActiveScriptError& error)
{
    EXCEPINFO exception = {};
    error.GetExceptionInfo(&exception);
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    DWORD context = 0;
    ULONG line = 0;
    LONG column = 0;
    error.GetSourcePosition(&context, &line, &column);

    wchar_t position[64];
    wsprintfW(position, L"(%lu, %ld)", line + 1, column + 1);
    std::wstring text = session.ScriptPath() + position + L" ";
    if (exception.bstrSource)
        text += std::wstring(exception.bstrSource) + L": ";
    if (exception.bstrDescription && *exception.bstrDescription) {
        text += exception.bstrDescription;
    } else {
        // Some engines leave the description empty: the system's text for the code helps.
        HRESULT code = exception.scode ? exception.scode : exception.wCode;
        wchar_t codeText[32];
        wsprintfW(codeText, L"error 0x%08x", static_cast<unsigned>(code));
        text += codeText;
        wchar_t* systemText = nullptr;
        if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&systemText), 0,
                           nullptr) && systemText) {
            std::wstring message = systemText;
            while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
                message.pop_back();
            text += L" " + message;
        }
        LocalFree(systemText);
    }
    session.ReportError(text);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return S_OK;
}

STDMETHODIMP CScriptSite::OnEnterScript()
{
    return S_OK;
}

STDMETHODIMP CScriptSite::OnLeaveScript()
{
    return S_OK;
}
