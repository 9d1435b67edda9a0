#include "fakes/FakeDirect3DDevice.h"

#include "fakes/FakeSurface.h"

FakeDirect3DDevice::FakeDirect3DDevice(IDirect3D9* owner,
                                       const D3DDEVICE_CREATION_PARAMETERS& creationParameters,
                                       const D3DPRESENT_PARAMETERS& presentParameters)
    : FakeCom<FakeObject, IDirect3DDevice9>("device"), direct3D(owner),
      creation(creationParameters), presentation(presentParameters)
{
}

void* FakeDirect3DDevice::FindInterface(REFIID iid)
{
    return Pick(iid, {{&__uuidof(IDirect3DDevice9), static_cast<IDirect3DDevice9*>(this)}});
}

HRESULT FakeDirect3DDevice::Unused(const char* method)
{
    HRESULT answer = Enter(method);
    return FAILED(answer) ? answer : E_NOTIMPL;
}

HRESULT FakeDirect3DDevice::CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format,
                                                        D3DPOOL pool, IDirect3DSurface9** surface,
                                                        HANDLE* sharedHandle)
{
    HRESULT answer = Enter("IDirect3DDevice9::CreateOffscreenPlainSurface",
                           Args(width, height, format, pool, Out(surface), sharedHandle));
    if (FAILED(answer))
        return answer;
    if (!surface || width == 0 || height == 0 || sharedHandle)
        return D3DERR_INVALIDCALL;
    *surface = new FakeSurface(this, width, height, format, pool);
    (*surface)->AddRef();
    return answer;
}

HRESULT FakeDirect3DDevice::GetDirect3D(IDirect3D9** out)
{
    HRESULT answer = Enter("IDirect3DDevice9::GetDirect3D", Args(Out(out)));
    if (FAILED(answer))
        return answer;
    if (!out)
        return D3DERR_INVALIDCALL;
    *out = direct3D;
    if (direct3D)
        direct3D->AddRef();
    return answer;
}

HRESULT FakeDirect3DDevice::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters)
{
    HRESULT answer = Enter("IDirect3DDevice9::GetCreationParameters", Args(Out(parameters)));
    if (FAILED(answer))
        return answer;
    if (!parameters)
        return D3DERR_INVALIDCALL;
    *parameters = creation;
    return answer;
}
