// Receives the events of one created object and calls the script's prefix_EventName routine
// for each; events without such a routine are dropped.
#pragma once

#include "RefCountedObject.h"
#include "ScriptSession.h"

#include <string>

class CEventSink final : public CLateBoundDispatch
{
public:
    // `events` describes the source interface (names by DISPID); it may be null.
    CEventSink(CScriptSession& session, std::wstring prefix, REFIID sourceIid, ITypeInfo* events);

    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

protected:
    bool IsOffered(REFIID iid) const override;

private:
    bool EventName(DISPID dispid, std::wstring& name) const;
    // Calls prefix_EventName if the script has it; the source always hears success.
    HRESULT CallHandler(DISPID dispid, DISPPARAMS* parameters);

    CScriptSession& session;
    std::wstring prefix;
    IID sourceIid;
    Microsoft::WRL::ComPtr<ITypeInfo> events;
};
