#include "OleControlInterface.h"

#include "OleControl.h"

HRESULT OleControlInterface::GetControlInfo(CONTROLINFO* info)
{
    if (!info)
        return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT OleControlInterface::OnMnemonic(MSG*)
{
    return E_NOTIMPL;
}

HRESULT OleControlInterface::OnAmbientPropertyChange(DISPID dispid)
{
    control.OnAmbientPropertyChange(dispid);
    return S_OK;
}

HRESULT OleControlInterface::FreezeEvents(BOOL freeze)
{
    return control.FreezeEvents(freeze);
}
