// The few platform entry points the engine creates objects through. Real by default; a test
// may install its own so that it can hand the engine objects that fail or answer on demand.
// Window and GDI calls are not routed here: Wine runs them for real.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <functional>

struct PlatformServices
{
    // CoCreateInstance: the filter graph, the VMR-9 and the DirectSound renderer.
    std::function<HRESULT(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object)>
        createInstance;
    // Direct3DCreate9.
    std::function<IDirect3D9*(UINT sdkVersion)> createDirect3D;
    // D3DXLoadSurfaceFromFileW with no palette and no rectangles.
    std::function<HRESULT(IDirect3DSurface9* surface, const wchar_t* fileName, DWORD filter,
                          D3DCOLOR colorKey)>
        loadSurfaceFromFile;
    // AMGetErrorTextA: the length of the description written, 0 when there is none.
    std::function<DWORD(HRESULT code, char* buffer, DWORD bufferLength)> getErrorText;
    // GetRunningObjectTable.
    std::function<HRESULT(DWORD reserved, IRunningObjectTable** table)> getRunningObjectTable;

    static PlatformServices Real();
};

// The services in force for every engine in the process.
const PlatformServices& Platform();

// Replaces the services in force; a test restores them with InstallPlatformServices(PlatformServices::Real()).
void InstallPlatformServices(const PlatformServices& services);
