#include "RecordingSite.h"

std::string RecordingSite::Log() const
{
    std::string text;
    for (const std::string& entry : log)
        text += (text.empty() ? "" : ", ") + entry;
    return text;
}

HRESULT RecordingSite::QueryInterface(REFIID iid, void** out)
{
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *out = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
        *out = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IOleControlSite))
        *out = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(iid, IID_IDispatch) && offersAmbient)
        *out = static_cast<IDispatch*>(this);
    else if (IsEqualIID(iid, IID_IAdviseSink))
        *out = static_cast<IAdviseSink*>(this);
    if (!*out)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT RecordingSite::SaveObject()
{
    log.push_back("SaveObject");
    return S_OK;
}

HRESULT RecordingSite::GetWindow(HWND* out)
{
    *out = window.Handle();
    return S_OK;
}

HRESULT RecordingSite::CanInPlaceActivate()
{
    log.push_back("CanInPlaceActivate");
    return canActivate;
}

HRESULT RecordingSite::OnInPlaceActivate()
{
    log.push_back("OnInPlaceActivate");
    return S_OK;
}

HRESULT RecordingSite::OnUIActivate()
{
    log.push_back("OnUIActivate");
    return S_OK;
}

HRESULT RecordingSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT placement,
                                        LPRECT clip, LPOLEINPLACEFRAMEINFO info)
{
    log.push_back("GetWindowContext");
    *frame = nullptr;
    *document = nullptr;
    *placement = position;
    *clip = position;
    info->fMDIApp = FALSE;
    info->hwndFrame = window.Handle();
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT RecordingSite::OnUIDeactivate(BOOL)
{
    log.push_back("OnUIDeactivate");
    return S_OK;
}

HRESULT RecordingSite::OnInPlaceDeactivate()
{
    log.push_back("OnInPlaceDeactivate");
    return S_OK;
}

HRESULT RecordingSite::OnPosRectChange(LPCRECT placement)
{
    log.push_back("OnPosRectChange " + std::to_string(placement->left) + " " + std::to_string(placement->top) + " " +
                  std::to_string(placement->right) + " " + std::to_string(placement->bottom));
    return S_OK;
}

HRESULT RecordingSite::OnFocus(BOOL gotFocus)
{
    log.push_back(gotFocus ? "OnFocus 1" : "OnFocus 0");
    return S_OK;
}

HRESULT RecordingSite::ShowPropertyFrame()
{
    log.push_back("ShowPropertyFrame");
    return propertyFrameAnswer;
}

HRESULT RecordingSite::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT RecordingSite::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*)
{
    VariantInit(result);
    switch (dispid) {
    case DISPID_AMBIENT_BACKCOLOR:
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(ambientBackColor);
        return S_OK;
    case DISPID_AMBIENT_APPEARANCE:
        result->vt = VT_I2;
        result->iVal = ambientAppearance;
        return S_OK;
    case DISPID_AMBIENT_USERMODE:
        result->vt = VT_BOOL;
        result->boolVal = ambientUserMode ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
