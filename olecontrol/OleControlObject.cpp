// COleControl's side of IOleObject: the client site, verbs, extent, advise sinks and Close.
#include "OleControl.h"

HRESULT COleControl::SetClientSite(IOleClientSite* site)
{
    if (!site && inPlaceActive)
        InPlaceDeactivate();
    clientSite = site;
    controlSite.Reset();
    if (site)
        site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(controlSite.GetAddressOf()));
    return S_OK;
}

HRESULT COleControl::GetClientSite(IOleClientSite** out)
{
    if (!out)
        return E_POINTER;
    // Hosts release what they get here: hand out a reference of its own.
    *out = clientSite.Get();
    if (*out)
        (*out)->AddRef();
    return S_OK;
}

HRESULT COleControl::Close(DWORD saveOption)
{
    if (saveOption != OLECLOSE_NOSAVE && modified && clientSite)
        clientSite->SaveObject();
    InPlaceDeactivate();
    if (oleAdviseHolder)
        oleAdviseHolder->SendOnClose();
    return S_OK;
}

HRESULT COleControl::DoVerb(LONG verb, IOleClientSite* site, HWND parent, const RECT* position)
{
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(true, site, parent, position);
    case OLEIVERB_INPLACEACTIVATE:
        return InPlaceActivate(false, site, parent, position);
    case OLEIVERB_HIDE:
        return HideControl();
    case OLEIVERB_PROPERTIES:
        return ShowPropertyFrame();
    default:
        break;
    }
    if (verb < 0)
        return E_NOTIMPL;
    // Unknown positive verbs act as the primary verb, as containers expect.
    const HRESULT hr = InPlaceActivate(true, site, parent, position);
    return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
}

HRESULT COleControl::SetExtent(DWORD aspect, const SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    if (size->cx < 0 || size->cy < 0)
        return E_INVALIDARG;
    extent = *size;
    return S_OK;
}

HRESULT COleControl::GetExtent(DWORD aspect, SIZEL* size) const
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = extent;
    return S_OK;
}

HRESULT COleControl::EnsureOleAdviseHolder()
{
    return oleAdviseHolder ? S_OK : CreateOleAdviseHolder(&oleAdviseHolder);
}

HRESULT COleControl::AdviseOle(IAdviseSink* sink, DWORD* cookie)
{
    const HRESULT hr = EnsureOleAdviseHolder();
    if (FAILED(hr))
        return hr;
    return oleAdviseHolder->Advise(sink, cookie);
}

HRESULT COleControl::UnadviseOle(DWORD cookie)
{
    return oleAdviseHolder ? oleAdviseHolder->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

HRESULT COleControl::EnumOleAdvise(IEnumSTATDATA** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const HRESULT hr = EnsureOleAdviseHolder();
    if (FAILED(hr))
        return hr;
    return oleAdviseHolder->EnumAdvise(out);
}

// An inside-out control that is active whenever visible and wants its site before its data.
DWORD COleControl::GetMiscStatus() const
{
    return OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
           OLEMISC_SETCLIENTSITEFIRST;
}
