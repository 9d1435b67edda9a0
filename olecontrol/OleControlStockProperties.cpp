// The stock properties the framework keeps itself (BackColor, Appearance), as automation and
// the derived control see them.
#include "OleControl.h"

HRESULT COleControl::CallHandler(DispatchCall handler, const DispatchArguments& arguments, VARIANT* result)
{
    return handler(*this, arguments, result);
}

HRESULT COleControl::GetStockProperty(StockProperty property, VARIANT* out) const
{
    if (property == StockProperty::BackColor)
        return DispatchValue<unsigned long>::To(backColor, out);
    if (property == StockProperty::Appearance)
        return DispatchValue<short>::To(appearance, out);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT COleControl::PutStockProperty(StockProperty property, const VARIANT& value)
{
    const DISPID dispid = property == StockProperty::BackColor ? DISPID_BACKCOLOR : DISPID_APPEARANCE;
    if (!BoundPropertyRequestEdit(dispid))
        return CTL_E_SETNOTPERMITTED;
    if (property == StockProperty::BackColor)
        SetBackColor(static_cast<OLE_COLOR>(value.lVal));
    else
        SetAppearance(value.iVal);
    return S_OK;
}

void COleControl::SetBackColor(OLE_COLOR color)
{
    backColor = color;
    SetModifiedFlag(true);
    InvalidateControl();
    BoundPropertyChanged(DISPID_BACKCOLOR);
}

void COleControl::SetAppearance(SHORT value)
{
    appearance = value;
    SetModifiedFlag(true);
    RedrawFrame();
    InvalidateControl();
    BoundPropertyChanged(DISPID_APPEARANCE);
}

ULONG COleControl::StockPropertyMask() const
{
    ULONG mask = 0;
    for (const DispatchEntry& entry : GetDispatchTable())
        if (entry.kind == DispatchKind::StockProperty)
            mask |= static_cast<ULONG>(entry.stock);
    return mask;
}
