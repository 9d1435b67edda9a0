#include "fakes/FakeSurface.h"

FakeSurface::FakeSurface(IDirect3DDevice9* owner, UINT w, UINT h, D3DFORMAT f, D3DPOOL p)
    : FakeCom<FakeObject, IDirect3DSurface9>("surface"), device(owner), width(w), height(h),
      format(f), pool(p)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top row first, as a locked surface
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<DWORD*>(pixels);
}

FakeSurface::~FakeSurface()
{
    if (dc) {
        SelectObject(dc, previousBitmap);
        DeleteDC(dc);
    }
    if (bitmap)
        DeleteObject(bitmap);
}

void* FakeSurface::FindInterface(REFIID iid)
{
    return Pick(iid, {{&__uuidof(IDirect3DSurface9), static_cast<IDirect3DSurface9*>(this)},
                      {&__uuidof(IDirect3DResource9), static_cast<IDirect3DResource9*>(this)}});
}

DWORD FakeSurface::Pixel(UINT x, UINT y) const
{
    GdiFlush();
    return bits && x < width && y < height ? bits[y * width + x] & 0x00FFFFFF : 0;
}

void FakeSurface::Fill(DWORD color)
{
    GdiFlush();
    for (UINT i = 0; bits && i < width * height; ++i)
        bits[i] = color;
}

HRESULT FakeSurface::GetDevice(IDirect3DDevice9** out)
{
    HRESULT answer = Enter("IDirect3DResource9::GetDevice", Args(Out(out)));
    if (FAILED(answer))
        return answer;
    if (!out)
        return D3DERR_INVALIDCALL;
    *out = device;
    if (device)
        device->AddRef();
    return answer;
}

HRESULT FakeSurface::SetPrivateData(REFGUID guid, const void* data, DWORD size, DWORD flags)
{
    Enter("IDirect3DResource9::SetPrivateData", Args(guid, data, size, flags));
    return E_NOTIMPL;
}

HRESULT FakeSurface::GetPrivateData(REFGUID guid, void* data, DWORD* size)
{
    Enter("IDirect3DResource9::GetPrivateData", Args(guid, Out(data), Out(size)));
    return D3DERR_NOTFOUND;
}

HRESULT FakeSurface::FreePrivateData(REFGUID guid)
{
    Enter("IDirect3DResource9::FreePrivateData", Args(guid));
    return D3DERR_NOTFOUND;
}

DWORD FakeSurface::SetPriority(DWORD priority)
{
    Enter("IDirect3DResource9::SetPriority", Args(priority));
    return 0;
}

DWORD FakeSurface::GetPriority()
{
    Enter("IDirect3DResource9::GetPriority");
    return 0;
}

void FakeSurface::PreLoad() { Enter("IDirect3DResource9::PreLoad"); }

D3DRESOURCETYPE FakeSurface::GetType()
{
    Enter("IDirect3DResource9::GetType");
    return D3DRTYPE_SURFACE;
}

HRESULT FakeSurface::GetContainer(REFIID iid, void** container)
{
    HRESULT answer = Enter("IDirect3DSurface9::GetContainer", Args(iid, Out(container)));
    if (FAILED(answer))
        return answer;
    if (!container)
        return D3DERR_INVALIDCALL;
    *container = nullptr;
    return device ? device->QueryInterface(iid, container) : E_NOINTERFACE;
}

HRESULT FakeSurface::GetDesc(D3DSURFACE_DESC* desc)
{
    HRESULT answer = Enter("IDirect3DSurface9::GetDesc", Args(Out(desc)));
    if (FAILED(answer))
        return answer;
    if (!desc)
        return D3DERR_INVALIDCALL;
    *desc = D3DSURFACE_DESC{};
    desc->Format = format;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Pool = pool;
    desc->Width = width;
    desc->Height = height;
    return answer;
}

HRESULT FakeSurface::LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags)
{
    HRESULT answer = Enter("IDirect3DSurface9::LockRect", Args(Out(lockedRect), rect, flags));
    if (FAILED(answer))
        return answer;
    if (!lockedRect || locked || dc || !bits)
        return D3DERR_INVALIDCALL;
    GdiFlush();
    LONG left = rect ? rect->left : 0;
    LONG top = rect ? rect->top : 0;
    lockedRect->Pitch = static_cast<INT>(width * sizeof(DWORD));
    lockedRect->pBits = bits + top * static_cast<LONG>(width) + left;
    locked = true;
    return answer;
}

HRESULT FakeSurface::UnlockRect()
{
    HRESULT answer = Enter("IDirect3DSurface9::UnlockRect");
    if (FAILED(answer))
        return answer;
    if (!locked)
        return D3DERR_INVALIDCALL;
    locked = false;
    return answer;
}

HRESULT FakeSurface::GetDC(HDC* hdc)
{
    HRESULT answer = Enter("IDirect3DSurface9::GetDC", Args(Out(hdc)));
    if (FAILED(answer))
        return answer;
    if (!hdc || locked || dc || !bitmap)
        return D3DERR_INVALIDCALL;
    dc = CreateCompatibleDC(nullptr);
    previousBitmap = SelectObject(dc, bitmap);
    *hdc = dc;
    return answer;
}

HRESULT FakeSurface::ReleaseDC(HDC hdc)
{
    HRESULT answer = Enter("IDirect3DSurface9::ReleaseDC", Args(hdc));
    if (FAILED(answer))
        return answer;
    if (!dc || hdc != dc)
        return D3DERR_INVALIDCALL;
    SelectObject(dc, previousBitmap);
    DeleteDC(dc);
    dc = nullptr;
    return answer;
}
