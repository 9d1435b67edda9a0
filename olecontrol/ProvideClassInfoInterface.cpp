#include "ProvideClassInfoInterface.h"

#include "ConnectionPointContainerInterface.h"

HRESULT CProvideClassInfoInterface::GetClassInfo(ITypeInfo** info)
{
    return owner.GetTypeInfoOf(owner.GetControlClassId(), info);
}

HRESULT CProvideClassInfoInterface::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = events.EventInterfaceId();
    return S_OK;
}
