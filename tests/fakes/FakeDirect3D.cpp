#include "fakes/FakeDirect3D.h"

#include "fakes/FakeDirect3DDevice.h"

FakeDirect3D::FakeDirect3D(const FakeDirect3DSettings& initial)
    : FakeCom<FakeObject, IDirect3D9>("d3d"), settings(initial)
{
}

void* FakeDirect3D::FindInterface(REFIID iid)
{
    return Pick(iid, {{&__uuidof(IDirect3D9), static_cast<IDirect3D9*>(this)}});
}

HRESULT FakeDirect3D::RegisterSoftwareDevice(void* initialize)
{
    Enter("IDirect3D9::RegisterSoftwareDevice", Args(initialize));
    return E_NOTIMPL;
}

UINT FakeDirect3D::GetAdapterCount()
{
    Enter("IDirect3D9::GetAdapterCount");
    return 1;
}

HRESULT FakeDirect3D::GetAdapterIdentifier(UINT adapter, DWORD flags,
                                           D3DADAPTER_IDENTIFIER9* identifier)
{
    Enter("IDirect3D9::GetAdapterIdentifier", Args(adapter, flags, Out(identifier)));
    return E_NOTIMPL;
}

UINT FakeDirect3D::GetAdapterModeCount(UINT adapter, D3DFORMAT format)
{
    Enter("IDirect3D9::GetAdapterModeCount", Args(adapter, format));
    return 1;
}

HRESULT FakeDirect3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                       D3DDISPLAYMODE* displayMode)
{
    Enter("IDirect3D9::EnumAdapterModes", Args(adapter, format, mode, Out(displayMode)));
    return E_NOTIMPL;
}

HRESULT FakeDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode)
{
    HRESULT answer = Enter("IDirect3D9::GetAdapterDisplayMode", Args(adapter, Out(mode)));
    if (FAILED(answer))
        return answer;
    if (!mode || adapter != 0)
        return D3DERR_INVALIDCALL;
    *mode = settings.displayMode;
    return answer;
}

HRESULT FakeDirect3D::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                      D3DFORMAT backBufferFormat, WINBOOL windowed)
{
    return Enter("IDirect3D9::CheckDeviceType",
                 Args(adapter, type, displayFormat, backBufferFormat, windowed));
}

HRESULT FakeDirect3D::CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                        DWORD usage, D3DRESOURCETYPE resourceType,
                                        D3DFORMAT checkFormat)
{
    return Enter("IDirect3D9::CheckDeviceFormat",
                 Args(adapter, type, adapterFormat, usage, resourceType, checkFormat));
}

HRESULT FakeDirect3D::CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type,
                                                 D3DFORMAT surfaceFormat, WINBOOL windowed,
                                                 D3DMULTISAMPLE_TYPE multiSample,
                                                 DWORD* qualityLevels)
{
    Enter("IDirect3D9::CheckDeviceMultiSampleType",
          Args(adapter, type, surfaceFormat, windowed, multiSample, Out(qualityLevels)));
    return D3DERR_NOTAVAILABLE;
}

HRESULT FakeDirect3D::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                             D3DFORMAT renderTargetFormat,
                                             D3DFORMAT depthStencilFormat)
{
    return Enter("IDirect3D9::CheckDepthStencilMatch",
                 Args(adapter, type, adapterFormat, renderTargetFormat, depthStencilFormat));
}

HRESULT FakeDirect3D::CheckDeviceFormatConversion(UINT adapter, D3DDEVTYPE type,
                                                  D3DFORMAT sourceFormat, D3DFORMAT targetFormat)
{
    return Enter("IDirect3D9::CheckDeviceFormatConversion",
                 Args(adapter, type, sourceFormat, targetFormat));
}

HRESULT FakeDirect3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps)
{
    Enter("IDirect3D9::GetDeviceCaps", Args(adapter, type, Out(caps)));
    return E_NOTIMPL;
}

HMONITOR FakeDirect3D::GetAdapterMonitor(UINT adapter)
{
    Enter("IDirect3D9::GetAdapterMonitor", Args(adapter));
    return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

HRESULT FakeDirect3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow,
                                   DWORD behaviorFlags, D3DPRESENT_PARAMETERS* presentation,
                                   IDirect3DDevice9** device)
{
    // The presentation parameters are logged raw: tests compare them field by field.
    D3DPRESENT_PARAMETERS given = presentation ? *presentation : D3DPRESENT_PARAMETERS{};
    HRESULT answer = EnterWithRecord("IDirect3D9::CreateDevice",
                                     Args(adapter, type, focusWindow, behaviorFlags, presentation,
                                          Out(device)),
                                     given);
    if (FAILED(answer))
        return answer;
    if (!device || !presentation || adapter != 0)
        return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (!presentation->Windowed || (!focusWindow && !presentation->hDeviceWindow))
        return D3DERR_INVALIDCALL;
    D3DDEVICE_CREATION_PARAMETERS creation{adapter, type, focusWindow, behaviorFlags};
    *device = new FakeDirect3DDevice(this, creation, *presentation);
    (*device)->AddRef();
    return answer;
}
