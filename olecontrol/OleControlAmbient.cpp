// Ambient properties read from the container's site, and what a change of one repaints.
#include "OleControl.h"

bool COleControl::GetAmbientProperty(DISPID dispid, VARTYPE type, VARIANT& value) const
{
    VariantInit(&value);
    IOleClientSite* site = GetClientSite();
    if (!site)
        return false;
    Microsoft::WRL::ComPtr<IDispatch> ambient;
    if (FAILED(site->QueryInterface(IID_PPV_ARGS(&ambient))) || !ambient)
        return false;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT raw;
    VariantInit(&raw);
    HRESULT hr = ambient->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &raw, nullptr,
                                 nullptr);
    if (SUCCEEDED(hr))
        hr = VariantChangeType(&value, &raw, 0, type);
    VariantClear(&raw);
    return SUCCEEDED(hr);
}

// A container without ambient properties gets black, the colour the control paints anyway.
OLE_COLOR COleControl::AmbientBackColor() const
{
    VARIANT value;
    return GetAmbientProperty(DISPID_AMBIENT_BACKCOLOR, VT_I4, value) ? static_cast<OLE_COLOR>(value.lVal) : 0;
}

SHORT COleControl::AmbientAppearance() const
{
    VARIANT value;
    return GetAmbientProperty(DISPID_AMBIENT_APPEARANCE, VT_I2, value) ? value.iVal : 0;
}

// Without an answer the control is taken to be running, not being designed.
bool COleControl::AmbientUserMode() const
{
    VARIANT value;
    return GetAmbientProperty(DISPID_AMBIENT_USERMODE, VT_BOOL, value) ? value.boolVal != VARIANT_FALSE : true;
}

void COleControl::OnAmbientPropertyChange(DISPID dispid)
{
    if (dispid == DISPID_UNKNOWN || dispid == DISPID_AMBIENT_BACKCOLOR || dispid == DISPID_AMBIENT_APPEARANCE)
        InvalidateControl();
}
