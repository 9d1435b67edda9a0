#include "OleObjectInterface.h"

#include "OleControl.h"

HRESULT OleObjectInterface::SetClientSite(IOleClientSite* site)
{
    return control.SetClientSite(site);
}

HRESULT OleObjectInterface::GetClientSite(IOleClientSite** site)
{
    return control.GetClientSite(site);
}

HRESULT OleObjectInterface::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

HRESULT OleObjectInterface::Close(DWORD saveOption)
{
    return control.Close(saveOption);
}

HRESULT OleObjectInterface::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

HRESULT OleObjectInterface::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT OleObjectInterface::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

HRESULT OleObjectInterface::GetClipboardData(DWORD, IDataObject** data)
{
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT OleObjectInterface::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position)
{
    return control.DoVerb(verb, site, parent, position);
}

HRESULT OleObjectInterface::EnumVerbs(IEnumOLEVERB** verbs)
{
    return OleRegEnumVerbs(control.GetControlClassId(), verbs);
}

HRESULT OleObjectInterface::Update()
{
    return S_OK;
}

HRESULT OleObjectInterface::IsUpToDate()
{
    return S_OK;
}

HRESULT OleObjectInterface::GetUserClassID(CLSID* id)
{
    if (!id)
        return E_POINTER;
    *id = control.GetControlClassId();
    return S_OK;
}

HRESULT OleObjectInterface::GetUserType(DWORD form, LPOLESTR* name)
{
    return OleRegGetUserType(control.GetControlClassId(), form, name);
}

HRESULT OleObjectInterface::SetExtent(DWORD aspect, SIZEL* size)
{
    return control.SetExtent(aspect, size);
}

HRESULT OleObjectInterface::GetExtent(DWORD aspect, SIZEL* size)
{
    return control.GetExtent(aspect, size);
}

HRESULT OleObjectInterface::Advise(IAdviseSink* sink, DWORD* cookie)
{
    return control.AdviseOle(sink, cookie);
}

HRESULT OleObjectInterface::Unadvise(DWORD cookie)
{
    return control.UnadviseOle(cookie);
}

HRESULT OleObjectInterface::EnumAdvise(IEnumSTATDATA** advise)
{
    return control.EnumOleAdvise(advise);
}

HRESULT OleObjectInterface::GetMiscStatus(DWORD aspect, DWORD* status)
{
    if (!status)
        return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? control.GetMiscStatus() : 0;
    return S_OK;
}

HRESULT OleObjectInterface::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}
