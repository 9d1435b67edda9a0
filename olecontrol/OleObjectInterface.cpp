#include "OleObjectInterface.h"

#include "InPlaceObjectInterface.h"

HRESULT COleObjectInterface::SetClientSite(IOleClientSite* site)
{
    if (!site && inPlace.IsActive())
        inPlace.InPlaceDeactivate();
    clientSite = site;
    controlSite.Reset();
    if (site)
        site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(controlSite.GetAddressOf()));
    return S_OK;
}

HRESULT COleObjectInterface::GetClientSite(IOleClientSite** site)
{
    if (!site)
        return E_POINTER;
    // Hosts release what they get here: hand out a reference of its own.
    *site = clientSite.Get();
    if (*site)
        (*site)->AddRef();
    return S_OK;
}

HRESULT COleObjectInterface::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

HRESULT COleObjectInterface::Close(DWORD saveOption)
{
    if (saveOption != OLECLOSE_NOSAVE && owner.IsModified() && clientSite)
        clientSite->SaveObject();
    inPlace.InPlaceDeactivate();
    if (adviseHolder)
        adviseHolder->SendOnClose();
    return S_OK;
}

HRESULT COleObjectInterface::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

HRESULT COleObjectInterface::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT COleObjectInterface::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

HRESULT COleObjectInterface::GetClipboardData(DWORD, IDataObject** data)
{
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT COleObjectInterface::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position)
{
    // The site we hold wins over the one the verb names.
    IOleClientSite* activeSite = clientSite ? clientSite.Get() : site;
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return inPlace.Activate(true, activeSite, parent, position);
    case OLEIVERB_INPLACEACTIVATE:
        return inPlace.Activate(false, activeSite, parent, position);
    case OLEIVERB_HIDE:
        return inPlace.Hide();
    case OLEIVERB_PROPERTIES:
        return owner.ShowPropertyFrame();
    default:
        break;
    }
    if (verb < 0)
        return E_NOTIMPL;
    // Unknown positive verbs act as the primary verb, as containers expect.
    const HRESULT hr = inPlace.Activate(true, activeSite, parent, position);
    return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
}

HRESULT COleObjectInterface::EnumVerbs(IEnumOLEVERB** verbs)
{
    return OleRegEnumVerbs(owner.GetControlClassId(), verbs);
}

HRESULT COleObjectInterface::Update()
{
    return S_OK;
}

HRESULT COleObjectInterface::IsUpToDate()
{
    return S_OK;
}

HRESULT COleObjectInterface::GetUserClassID(CLSID* id)
{
    if (!id)
        return E_POINTER;
    *id = owner.GetControlClassId();
    return S_OK;
}

HRESULT COleObjectInterface::GetUserType(DWORD form, LPOLESTR* name)
{
    return OleRegGetUserType(owner.GetControlClassId(), form, name);
}

HRESULT COleObjectInterface::SetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    if (size->cx < 0 || size->cy < 0)
        return E_INVALIDARG;
    owner.SetExtent(*size);
    return S_OK;
}

HRESULT COleObjectInterface::GetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = owner.GetExtent();
    return S_OK;
}

HRESULT COleObjectInterface::EnsureAdviseHolder()
{
    return adviseHolder ? S_OK : CreateOleAdviseHolder(&adviseHolder);
}

HRESULT COleObjectInterface::Advise(IAdviseSink* sink, DWORD* cookie)
{
    const HRESULT hr = EnsureAdviseHolder();
    if (FAILED(hr))
        return hr;
    return adviseHolder->Advise(sink, cookie);
}

HRESULT COleObjectInterface::Unadvise(DWORD cookie)
{
    return adviseHolder ? adviseHolder->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

HRESULT COleObjectInterface::EnumAdvise(IEnumSTATDATA** advise)
{
    if (!advise)
        return E_POINTER;
    *advise = nullptr;
    const HRESULT hr = EnsureAdviseHolder();
    if (FAILED(hr))
        return hr;
    return adviseHolder->EnumAdvise(advise);
}

HRESULT COleObjectInterface::GetMiscStatus(DWORD aspect, DWORD* status)
{
    if (!status)
        return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? owner.GetMiscStatus() : 0;
    return S_OK;
}

HRESULT COleObjectInterface::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}
