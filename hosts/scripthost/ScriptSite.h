// The site the script engine talks to: it hands out the Host object and reports script errors
// with their text and position.
#pragma once

#include "RefCountedObject.h"
#include "ScriptSession.h"

class CScriptSite final : public CRefCountedObject<IActiveScriptSite>
{
public:
    CScriptSite(CScriptSession& session, IDispatch* host);

    STDMETHODIMP GetLCID(LCID* locale) override;
    STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** typeInfo) override;
    STDMETHODIMP GetDocVersionString(BSTR* version) override;
    STDMETHODIMP OnScriptTerminate(const VARIANT* result, const EXCEPINFO* exception) override;
    STDMETHODIMP OnStateChange(SCRIPTSTATE state) override;
    STDMETHODIMP OnScriptError(IActiveScriptError* error) override;
    STDMETHODIMP OnEnterScript() override;
    STDMETHODIMP OnLeaveScript() override;

protected:
    bool IsOffered(REFIID iid) const override;

private:
    // Writes "file(line, column) source: description" through the session.
    HRESULT ReportScriptError(IActiveScriptError& error);

    CScriptSession& session;
    Microsoft::WRL::ComPtr<IDispatch> host;
};

// The name under which the script sees the Host object.
extern const wchar_t kHostItemName[];
