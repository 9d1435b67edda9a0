#include "ViewObjectInterface.h"

#include "OleObjectInterface.h"

HRESULT CViewObjectInterface::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!dc)
        return E_INVALIDARG;
    RECT area = {};
    if (bounds)
        area = RECT{bounds->left, bounds->top, bounds->right, bounds->bottom};
    else if (owner.GetControlWindow())
        GetClientRect(owner.GetControlWindow(), &area);
    else
        return E_INVALIDARG;
    owner.OnDraw(dc, area, area);
    return S_OK;
}

HRESULT CViewObjectInterface::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** palette)
{
    if (palette)
        *palette = nullptr;
    return S_FALSE;
}

HRESULT CViewObjectInterface::Freeze(DWORD, LONG, void*, DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CViewObjectInterface::Unfreeze(DWORD)
{
    return E_NOTIMPL;
}

HRESULT CViewObjectInterface::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    adviseSink = sink;
    adviseAspects = aspects;
    adviseFlags = flags;
    if (sink && (flags & ADVF_PRIMEFIRST))
        NotifyViewChanged();
    return S_OK;
}

HRESULT CViewObjectInterface::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects)
        *aspects = adviseAspects;
    if (flags)
        *flags = adviseFlags;
    if (sink) {
        *sink = adviseSink.Get();
        if (*sink)
            (*sink)->AddRef();
    }
    return S_OK;
}

// The same extent, and the same answers, as IOleObject's.
HRESULT CViewObjectInterface::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return object.GetExtent(aspect, size);
}

void CViewObjectInterface::NotifyViewChanged()
{
    if (!adviseSink || !(adviseAspects & DVASPECT_CONTENT))
        return;
    Microsoft::WRL::ComPtr<IAdviseSink> sink = adviseSink;
    if (adviseFlags & ADVF_ONLYONCE)
        adviseSink.Reset();
    sink->OnViewChange(DVASPECT_CONTENT, -1);
}
