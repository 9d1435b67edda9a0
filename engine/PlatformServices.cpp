#include "PlatformServices.h"

#include <dshow.h>

PlatformServices PlatformServices::Real()
{
    PlatformServices services;
    services.createInstance = [](REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                                 void** object) {
        return CoCreateInstance(clsid, outer, context, iid, object);
    };
    services.createDirect3D = [](UINT sdkVersion) { return Direct3DCreate9(sdkVersion); };
    services.loadSurfaceFromFile = [](IDirect3DSurface9* surface, const wchar_t* fileName,
                                      DWORD filter, D3DCOLOR colorKey) {
        return D3DXLoadSurfaceFromFileW(surface, nullptr, nullptr, fileName, nullptr, filter,
                                        colorKey, nullptr);
    };
    services.getErrorText = [](HRESULT code, char* buffer, DWORD bufferLength) {
        return AMGetErrorTextA(code, buffer, bufferLength);
    };
    services.getRunningObjectTable = [](DWORD reserved, IRunningObjectTable** table) {
        return GetRunningObjectTable(reserved, table);
    };
    return services;
}

namespace {
PlatformServices& Current()
{
    static PlatformServices services = PlatformServices::Real();
    return services;
}
}  // namespace

const PlatformServices& Platform() { return Current(); }

void InstallPlatformServices(const PlatformServices& services) { Current() = services; }
