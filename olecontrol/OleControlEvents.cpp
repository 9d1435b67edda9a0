// Firing events to the connected sinks, and telling IPropertyNotifySink sinks of bound properties.
#include "OleControl.h"

#include <vector>

const EventEntry* COleControl::FindEvent(DISPID dispid) const
{
    for (const EventEntry& entry : GetEventTable())
        if (entry.dispid == dispid)
            return &entry;
    return nullptr;
}

bool COleControl::OffersEvent(DISPID dispid) const
{
    return FindEvent(dispid) != nullptr;
}

HRESULT COleControl::FireEventWith(DISPID dispid, VARIANT* argumentsInOrder, size_t count)
{
    // Apartment model: sinks are called only on the thread that created the control.
    if (GetCurrentThreadId() != creatorThread)
        return RPC_E_WRONG_THREAD;
    const EventEntry* entry = FindEvent(dispid);
    if (!entry)
        return DISP_E_MEMBERNOTFOUND;
    if (count != entry->parameterCount)
        return DISP_E_BADPARAMCOUNT;
    if (EventsFrozen())
        return S_FALSE;  // the container froze events: this one is dropped

    try {
        // DISPPARAMS hold the arguments last first, each in its declared type.
        std::vector<VARIANT> arguments(count);
        HRESULT hr = S_OK;
        for (size_t i = 0; i < count; ++i) {
            VARIANT& slot = arguments[count - 1 - i];
            VariantInit(&slot);
            if (SUCCEEDED(hr))
                hr = VariantChangeType(&slot, &argumentsInOrder[i], 0, entry->parameters[i]);
        }
        if (SUCCEEDED(hr)) {
            DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(count), 0};
            // Each sink is held for its call: one that unadvises or fails does not stop the rest,
            // and the control outlives a sink that releases it.
            Microsoft::WRL::ComPtr<IUnknown> self(&identity);
            for (const Microsoft::WRL::ComPtr<IUnknown>& sink : connectionPoints.EventSinks()) {
                VARIANT result;
                VariantInit(&result);
                EXCEPINFO exception = {};
                UINT argumentError = 0;
                static_cast<IDispatch*>(sink.Get())->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                                            &parameters, &result, &exception, &argumentError);
                VariantClear(&result);
                SysFreeString(exception.bstrSource);
                SysFreeString(exception.bstrDescription);
                SysFreeString(exception.bstrHelpFile);
            }
        }
        for (VARIANT& argument : arguments)
            VariantClear(&argument);
        return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void COleControl::BoundPropertyChanged(DISPID dispid)
{
    for (const Microsoft::WRL::ComPtr<IUnknown>& sink : connectionPoints.PropertyNotifySinks())
        static_cast<IPropertyNotifySink*>(sink.Get())->OnChanged(dispid);
}

bool COleControl::BoundPropertyRequestEdit(DISPID dispid)
{
    for (const Microsoft::WRL::ComPtr<IUnknown>& sink : connectionPoints.PropertyNotifySinks())
        if (static_cast<IPropertyNotifySink*>(sink.Get())->OnRequestEdit(dispid) == S_FALSE)
            return false;
    return true;
}
