// A fake offscreen plain surface whose pixels live in a real 32-bit DIB section, so LockRect
// hands out a real buffer and GetDC a real memory DC drawing into the same pixels.
#pragma once

#include "fakes/FakeObject.h"

class FakeSurface final : public FakeCom<FakeObject, IDirect3DSurface9>
{
public:
    FakeSurface(IDirect3DDevice9* device, UINT width, UINT height, D3DFORMAT format, D3DPOOL pool);
    ~FakeSurface() override;

    // For tests: pixels as 0x00RRGGBB, top row first.
    UINT Width() const { return width; }
    UINT Height() const { return height; }
    DWORD Pixel(UINT x, UINT y) const;
    void Fill(DWORD color);
    HBITMAP Bitmap() const { return bitmap; }
    bool HasDcOut() const { return dc != nullptr; }
    bool IsLocked() const { return locked; }

    // IDirect3DResource9
    HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice9** device) override;
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID guid, const void* data, DWORD size, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID guid, void* data, DWORD* size) override;
    HRESULT STDMETHODCALLTYPE FreePrivateData(REFGUID guid) override;
    DWORD STDMETHODCALLTYPE SetPriority(DWORD priority) override;
    DWORD STDMETHODCALLTYPE GetPriority() override;
    void STDMETHODCALLTYPE PreLoad() override;
    D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override;
    // IDirect3DSurface9
    HRESULT STDMETHODCALLTYPE GetContainer(REFIID iid, void** container) override;
    HRESULT STDMETHODCALLTYPE GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT STDMETHODCALLTYPE LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE UnlockRect() override;
    HRESULT STDMETHODCALLTYPE GetDC(HDC* hdc) override;
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC hdc) override;

private:
    void* FindInterface(REFIID iid) override;

    IDirect3DDevice9* device;  // not AddRef'd, so releasing the surface last is not required
    UINT width;
    UINT height;
    D3DFORMAT format;
    D3DPOOL pool;
    HBITMAP bitmap = nullptr;
    DWORD* bits = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    bool locked = false;
};
