// The script's global "Host" object: Host.Echo text..., Host.CreateControl(progId[, prefix]),
// Host.PlaceControl(progId[, prefix]) (in place in a container window), Host.Wait milliseconds
// (messages dispatched meanwhile), Host.Click x, y (on the last placed control), Host.Quit code.
#pragma once

#include "ControlContainer.h"
#include "RefCountedObject.h"
#include "ScriptSession.h"

#include <memory>
#include <vector>

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
    // `placed`: in a container window of its own rather than as a bare object.
    HRESULT CreateControl(const DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* exception, bool placed);
    HRESULT Wait(const DISPPARAMS& parameters);
    HRESULT Click(const DISPPARAMS& parameters);
    HRESULT Quit(const DISPPARAMS& parameters);
    // Connects the object's default source interface to a sink calling prefix_Event routines.
    HRESULT ConnectEvents(IUnknown* object, const std::wstring& prefix);

    CScriptSession& session;
    std::vector<std::unique_ptr<CControlContainer>> containers;
};
