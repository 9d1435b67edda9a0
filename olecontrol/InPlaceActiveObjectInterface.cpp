#include "InPlaceActiveObjectInterface.h"

#include "InPlaceObjectInterface.h"

// The same window as the in-place object's.
HRESULT CInPlaceActiveObjectInterface::GetWindow(HWND* window)
{
    return inPlace.GetWindow(window);
}

HRESULT CInPlaceActiveObjectInterface::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CInPlaceActiveObjectInterface::TranslateAccelerator(LPMSG)
{
    return S_FALSE;
}

HRESULT CInPlaceActiveObjectInterface::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT CInPlaceActiveObjectInterface::OnDocWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT CInPlaceActiveObjectInterface::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

HRESULT CInPlaceActiveObjectInterface::EnableModeless(BOOL)
{
    return S_OK;
}
