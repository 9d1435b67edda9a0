#include "ContainerNotificationsInterface.h"

HRESULT CContainerNotificationsInterface::GetControlInfo(CONTROLINFO* info)
{
    if (!info)
        return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT CContainerNotificationsInterface::OnMnemonic(MSG*)
{
    return E_NOTIMPL;
}

HRESULT CContainerNotificationsInterface::OnAmbientPropertyChange(DISPID dispid)
{
    owner.OnAmbientPropertyChange(dispid);
    return S_OK;
}

HRESULT CContainerNotificationsInterface::FreezeEvents(BOOL freeze)
{
    if (freeze)
        ++freezeCount;
    else if (freezeCount > 0)
        --freezeCount;
    return S_OK;
}
