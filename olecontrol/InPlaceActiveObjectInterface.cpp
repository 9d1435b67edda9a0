#include "InPlaceActiveObjectInterface.h"

#include "OleControl.h"

HRESULT InPlaceActiveObjectInterface::GetWindow(HWND* window)
{
    return control.GetWindowHandle(window);
}

HRESULT InPlaceActiveObjectInterface::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT InPlaceActiveObjectInterface::TranslateAccelerator(LPMSG)
{
    return S_FALSE;
}

HRESULT InPlaceActiveObjectInterface::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT InPlaceActiveObjectInterface::OnDocWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT InPlaceActiveObjectInterface::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

HRESULT InPlaceActiveObjectInterface::EnableModeless(BOOL)
{
    return S_OK;
}
