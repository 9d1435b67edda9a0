// The script's global "Host" object: Host.Echo text..., Host.CreateControl(progId[, prefix]),
// Host.Quit code.
#pragma once

#include "RefCountedObject.h"
#include "ScriptSession.h"

class CHostObject final : public CLateBoundDispatch
{
public:
    explicit CHostObject(CScriptSession& session);

    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

protected:
    bool IsOffered(REFIID iid) const override;

private:
    HRESULT Echo(const DISPPARAMS& parameters);
    HRESULT CreateControl(const DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* exception);
    HRESULT Quit(const DISPPARAMS& parameters);
    // Connects the object's default source interface to a sink calling prefix_Event routines.
    HRESULT ConnectEvents(IUnknown* object, const std::wstring& prefix);

    CScriptSession& session;
};
