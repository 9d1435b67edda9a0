#include "DispatchInterface.h"

#include "OleControl.h"

HRESULT DispatchInterface::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT DispatchInterface::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return control.GetTypeInfoOf(control.dispatchIid, info);
}

HRESULT DispatchInterface::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return control.GetIDsOfNames(names, count, ids);
}

HRESULT DispatchInterface::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    return control.Invoke(dispid, flags, parameters, result, exception, argumentError);
}
