// A host's sink for one control's events: answers IDispatch and the source interface, names
// each DISPID from the source's type description and hands the event to the host by that name.
// Events the description does not name are dropped; the control always hears success.
#pragma once

#include "RefCountedObject.h"

#include <wrl/client.h>

#include <functional>
#include <string>

using NamedEventHandler = std::function<void(const std::wstring& eventName, DISPPARAMS* parameters)>;

class CNamedEventSink final : public CLateBoundDispatch
{
public:
    // `events` describes the source interface; it may be null (then every event is dropped).
    CNamedEventSink(REFIID source, ITypeInfo* events, NamedEventHandler handler)
        : source(source), events(events), handler(std::move(handler))
    {
    }

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* dispids) override
    {
        for (UINT i = 0; dispids && i < count; ++i)
            dispids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO*,
                        UINT*) override
    {
        if (result)
            VariantInit(result);
        WithoutThrowing([&] {
            std::wstring name;
            if (NameOf(dispid, name))
                handler(name, parameters);
            return S_OK;
        });
        return S_OK;
    }

protected:
    bool IsOffered(REFIID iid) const override { return iid == IID_IDispatch || iid == source; }

private:
    bool NameOf(DISPID dispid, std::wstring& name) const
    {
        BSTR found = nullptr;
        UINT count = 0;
        if (!events || FAILED(events->GetNames(dispid, &found, 1, &count)) || count == 0 || !found)
            return false;
        name.assign(found, SysStringLen(found));
        SysFreeString(found);
        return true;
    }

    IID source;
    Microsoft::WRL::ComPtr<ITypeInfo> events;
    NamedEventHandler handler;
};
