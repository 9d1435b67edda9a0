// The fake platform a test creates: while it exists, the engine's platform services hand out
// fakes (filter graph, VMR-9, DirectSound renderers, Direct3D, the image loader, error texts and
// the running object table), every call is logged, and answers can be scripted. Its destructor
// restores the real services.
//
//   FakePlatform platform;
//   platform.defaults.vmr.nativeWidth = 320;                       // for fakes made from now on
//   platform.FailNext("IVMRMixerControl9::SetZOrder", E_NOTIMPL);   // next call on any object
//   platform.FailCreate(CLSID_DSoundRender, E_INVALIDARG);         // no sound device
//   ... drive the engine ...
//   platform.Graph().settings.current = 50000000;                  // live state of a made fake
//   EXPECT_EQ(1u, platform.Log().Count("IVMRFilterConfig9::SetNumberOfStreams"));
//   auto rect = platform.Log().Last("IVMRMixerControl9::SetOutputRect").Raw<VMR9NormalizedRect>();
//   engine.CloseGraph();
//   EXPECT_EQ("", platform.ReferenceReport()) << platform.Log().Dump();
#pragma once

#include "PlatformServices.h"
#include "fakes/CallLog.h"
#include "fakes/CallScript.h"
#include "fakes/FakeDirect3D.h"
#include "fakes/FakeDirect3DDevice.h"
#include "fakes/FakeFilterGraph.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeRunningObjectTable.h"
#include "fakes/FakeSurface.h"
#include "fakes/FakeVmr.h"

#include <map>

struct FakePlatformDefaults
{
    FakeGraphSettings graph;
    FakeVmrSettings vmr;
    FakeDirect3DSettings d3d;
    // The loader draws .bmp files into the surface (stretched); other existing files stand for
    // images only the loader reads (JPEG, PNG) and fill the surface with this colour.
    DWORD otherImageColor = 0x00808080;
};

class FakePlatform
{
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // Settings given to the fakes made from now on; a made fake's own `settings` are live.
    FakePlatformDefaults defaults;

    // Scripting (see CallScript): methods are "Interface::Method"; the platform entry points are
    // logged on object "platform" as "CoCreateInstance", "Direct3DCreate9",
    // "D3DXLoadSurfaceFromFileW", "AMGetErrorTextA" and "GetRunningObjectTable".
    void Fail(const std::string& method, HRESULT code, const std::string& object = "");
    void FailNext(const std::string& method, HRESULT code, int times = 1, const std::string& object = "");
    void FailWhen(const std::string& method, HRESULT code, CallScript::Condition when,
                  int times = CallScript::kAlways, const std::string& object = "");
    void FailCreate(REFCLSID clsid, HRESULT code, int times = CallScript::kAlways);
    void FailDirect3DCreate(int times = CallScript::kAlways);  // Direct3DCreate9 answers null
    void DescribeError(HRESULT code, const std::string& text);  // what AMGetErrorTextA answers
    void ForgetErrorTexts();  // every code is then undescribed (length 0)
    void OnCall(const std::string& method, CallLog::Hook hook, const std::string& object = "");
    CallLog& Log() { return CallLog::Instance(); }

    // The fakes made, by kind and order of making; throws std::out_of_range when absent.
    FakeFilterGraph& Graph(int index = 0) { return Get<FakeFilterGraph>("graph", index); }
    FakeVmr& Vmr(int index = 0) { return Get<FakeVmr>("vmr", index); }
    FakeFilter& SoundRenderer(int index) { return Get<FakeFilter>("dsound", index); }  // CoCreateInstance'd
    FakeFilter& Source(int index) { return Get<FakeFilter>("source", index); }        // AddSourceFilter'd
    FakeDirect3D& Direct3D(int index = 0) { return Get<FakeDirect3D>("d3d", index); }
    FakeDirect3DDevice& Device(int index = 0) { return Get<FakeDirect3DDevice>("device", index); }
    FakeSurface& Surface(int index = 0) { return Get<FakeSurface>("surface", index); }
    FakeRunningObjectTable& Rot() { return *rot; }
    size_t Made(const std::string& kind) const { return FakeRegistry::CountOfKind(kind); }
    template <class T> T& Get(const std::string& kind, int index)
    {
        return FakeRegistry::Get<T>(kind + std::to_string(index));
    }

    // One line per fake still referenced or released too often; "" when all is balanced.
    std::string ReferenceReport() const { return FakeRegistry::ReferenceReport(); }

private:
    HRESULT CreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
    IDirect3D9* CreateDirect3D(UINT sdkVersion);
    HRESULT LoadSurfaceFromFile(IDirect3DSurface9* surface, const wchar_t* fileName, DWORD filter,
                                D3DCOLOR colorKey);
    DWORD GetErrorText(HRESULT code, char* buffer, DWORD bufferLength);
    HRESULT GetRunningObjectTable(DWORD reserved, IRunningObjectTable** table);

    std::map<HRESULT, std::string> errorTexts;
    FakeRunningObjectTable* rot;  // kept by the registry while the platform exists
};
