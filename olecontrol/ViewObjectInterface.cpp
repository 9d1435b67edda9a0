#include "ViewObjectInterface.h"

#include "OleControl.h"

HRESULT ViewObjectInterface::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    return control.Draw(aspect, dc, bounds);
}

HRESULT ViewObjectInterface::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** palette)
{
    if (palette)
        *palette = nullptr;
    return S_FALSE;
}

HRESULT ViewObjectInterface::Freeze(DWORD, LONG, void*, DWORD*)
{
    return E_NOTIMPL;
}

HRESULT ViewObjectInterface::Unfreeze(DWORD)
{
    return E_NOTIMPL;
}

HRESULT ViewObjectInterface::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    return control.SetViewAdvise(aspects, flags, sink);
}

HRESULT ViewObjectInterface::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    return control.GetViewAdvise(aspects, flags, sink);
}

HRESULT ViewObjectInterface::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return control.GetExtent(aspect, size);
}
