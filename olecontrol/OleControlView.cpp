// Drawing for the container (IViewObject2) and telling it when the picture changed.
#include "OleControl.h"

HRESULT COleControl::Draw(DWORD aspect, HDC dc, const RECTL* bounds)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!dc)
        return E_INVALIDARG;
    RECT area = {};
    if (bounds)
        area = RECT{bounds->left, bounds->top, bounds->right, bounds->bottom};
    else if (window)
        GetClientRect(window, &area);
    else
        return E_INVALIDARG;
    OnDraw(dc, area, area);
    return S_OK;
}

HRESULT COleControl::SetViewAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    viewAdviseSink = sink;
    viewAdviseAspects = aspects;
    viewAdviseFlags = flags;
    if (sink && (flags & ADVF_PRIMEFIRST))
        NotifyViewChanged();
    return S_OK;
}

HRESULT COleControl::GetViewAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects)
        *aspects = viewAdviseAspects;
    if (flags)
        *flags = viewAdviseFlags;
    if (sink) {
        *sink = viewAdviseSink.Get();
        if (*sink)
            (*sink)->AddRef();
    }
    return S_OK;
}

void COleControl::NotifyViewChanged()
{
    if (!viewAdviseSink || !(viewAdviseAspects & DVASPECT_CONTENT))
        return;
    Microsoft::WRL::ComPtr<IAdviseSink> sink = viewAdviseSink;
    if (viewAdviseFlags & ADVF_ONLYONCE)
        viewAdviseSink.Reset();
    sink->OnViewChange(DVASPECT_CONTENT, -1);
}

void COleControl::InvalidateControl(const RECT* area)
{
    if (window)
        InvalidateRect(window, area, FALSE);
    else
        NotifyViewChanged();  // not in place: the container draws us through IViewObject
}
