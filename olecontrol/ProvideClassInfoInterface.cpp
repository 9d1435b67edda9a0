#include "ProvideClassInfoInterface.h"

#include "OleControl.h"

HRESULT ProvideClassInfoInterface::GetClassInfo(ITypeInfo** info)
{
    return control.GetTypeInfoOf(control.GetControlClassId(), info);
}

HRESULT ProvideClassInfoInterface::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = control.eventIid;
    return S_OK;
}
