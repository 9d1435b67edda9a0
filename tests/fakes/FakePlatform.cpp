#include "fakes/FakePlatform.h"

#include <cstdio>
#include <cstring>

namespace {
// Logs a call of a platform entry point and returns its scripted answer.
HRESULT PlatformCall(const char* method, std::vector<std::string> args)
{
    CallRecord call{"platform", method, std::move(args), {}};
    CallLog::Instance().Record(call);
    return CallScript::Instance().AnswerFor(call);
}

std::string CodeText(HRESULT code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(code));
    return text;
}
}  // namespace

FakePlatform::FakePlatform()
{
    FakeRegistry::BeginKeepAlive();
    CallLog::Instance().Clear();
    CallLog::Instance().ClearHooks();
    CallScript::Instance().Clear();
    rot = new FakeRunningObjectTable();
    DescribeError(E_FAIL, "Unspecified error");
    DescribeError(E_INVALIDARG, "The parameter is incorrect.");
    DescribeError(E_NOTIMPL, "Not implemented.");

    PlatformServices services;
    services.createInstance = [this](REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                                     void** object) {
        return CreateInstance(clsid, outer, context, iid, object);
    };
    services.createDirect3D = [this](UINT sdkVersion) { return CreateDirect3D(sdkVersion); };
    services.loadSurfaceFromFile = [this](IDirect3DSurface9* surface, const wchar_t* fileName,
                                          DWORD filter, D3DCOLOR colorKey) {
        return LoadSurfaceFromFile(surface, fileName, filter, colorKey);
    };
    services.getErrorText = [this](HRESULT code, char* buffer, DWORD bufferLength) {
        return GetErrorText(code, buffer, bufferLength);
    };
    services.getRunningObjectTable = [this](DWORD reserved, IRunningObjectTable** table) {
        return GetRunningObjectTable(reserved, table);
    };
    InstallPlatformServices(services);
}

FakePlatform::~FakePlatform()
{
    InstallPlatformServices(PlatformServices::Real());
    CallLog::Instance().ClearHooks();
    CallScript::Instance().Clear();
    FakeRegistry::EndKeepAlive();
}

void FakePlatform::Fail(const std::string& method, HRESULT code, const std::string& object)
{
    CallScript::Instance().Fail(method, code, object);
}

void FakePlatform::FailNext(const std::string& method, HRESULT code, int times, const std::string& object)
{
    CallScript::Instance().FailNext(method, code, times, object);
}

void FakePlatform::FailWhen(const std::string& method, HRESULT code, CallScript::Condition when,
                            int times, const std::string& object)
{
    CallScript::Instance().FailWhen(method, code, std::move(when), times, object);
}

void FakePlatform::FailCreate(REFCLSID clsid, HRESULT code, int times)
{
    std::string name = GuidName(clsid);
    FailWhen("CoCreateInstance", code,
             [name](const CallRecord& call) { return !call.args.empty() && call.args[0] == name; },
             times, "platform");
}

void FakePlatform::FailDirect3DCreate(int times) { FailNext("Direct3DCreate9", E_FAIL, times, "platform"); }

void FakePlatform::DescribeError(HRESULT code, const std::string& text) { errorTexts[code] = text; }
void FakePlatform::ForgetErrorTexts() { errorTexts.clear(); }

void FakePlatform::OnCall(const std::string& method, CallLog::Hook hook, const std::string& object)
{
    CallLog::Instance().OnCall(method, std::move(hook), object);
}

HRESULT FakePlatform::CreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                                     void** object)
{
    HRESULT answer = PlatformCall("CoCreateInstance", Args(clsid, outer, context, iid, Out(object)));
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (FAILED(answer))
        return answer;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    IUnknown* made = nullptr;
    if (IsEqualCLSID(clsid, CLSID_FilterGraph))
        made = static_cast<IFilterGraph2*>(new FakeFilterGraph(defaults.graph));
    else if (IsEqualCLSID(clsid, CLSID_VideoMixingRenderer9))
        made = static_cast<IBaseFilter*>(new FakeVmr(defaults.vmr));
    else if (IsEqualCLSID(clsid, CLSID_DSoundRender))
        made = static_cast<IBaseFilter*>(FakeFilter::MakeSoundRenderer());
    else
        return REGDB_E_CLASSNOTREG;
    // The new object lives only through what the caller asks for; if that fails it has no
    // reference and is deleted with the platform.
    HRESULT queried = made->QueryInterface(iid, object);
    return FAILED(queried) ? queried : answer;
}

IDirect3D9* FakePlatform::CreateDirect3D(UINT sdkVersion)
{
    if (FAILED(PlatformCall("Direct3DCreate9", Args(sdkVersion))))
        return nullptr;
    IDirect3D9* direct3D = new FakeDirect3D(defaults.d3d);
    direct3D->AddRef();
    return direct3D;
}

HRESULT FakePlatform::LoadSurfaceFromFile(IDirect3DSurface9* surface, const wchar_t* fileName,
                                          DWORD filter, D3DCOLOR colorKey)
{
    FakeSurface* fake = FakeRegistry::FromInterface<FakeSurface>(surface);
    HRESULT answer = PlatformCall("D3DXLoadSurfaceFromFileW",
                                  Args(fake ? fake->Name() : PointerText(surface), fileName, filter, colorKey));
    if (FAILED(answer))
        return answer;
    if (!fake || !fileName)
        return D3DERR_INVALIDCALL;
    if (GetFileAttributesW(fileName) == INVALID_FILE_ATTRIBUTES)
        return D3DXERR_INVALIDDATA;
    HBITMAP image = static_cast<HBITMAP>(LoadImageW(nullptr, fileName, IMAGE_BITMAP, 0, 0,
                                                    LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!image) {
        fake->Fill(defaults.otherImageColor);
        return answer;
    }
    // Stretch the whole image over the whole surface, as the loader does.
    BITMAP info{};
    GetObjectA(image, sizeof info, &info);
    HDC source = CreateCompatibleDC(nullptr);
    HDC target = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(source, image);
    HGDIOBJ oldTarget = SelectObject(target, fake->Bitmap());
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, static_cast<int>(fake->Width()), static_cast<int>(fake->Height()), source,
               0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    GdiFlush();
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(image);
    return answer;
}

DWORD FakePlatform::GetErrorText(HRESULT code, char* buffer, DWORD bufferLength)
{
    if (FAILED(PlatformCall("AMGetErrorTextA", Args(CodeText(code), Out(buffer), bufferLength))))
        return 0;
    auto text = errorTexts.find(code);
    if (text == errorTexts.end() || !buffer || bufferLength == 0)
        return 0;
    DWORD length = static_cast<DWORD>(text->second.size());
    if (length >= bufferLength)
        length = bufferLength - 1;
    std::memcpy(buffer, text->second.c_str(), length);
    buffer[length] = '\0';
    return length;
}

HRESULT FakePlatform::GetRunningObjectTable(DWORD reserved, IRunningObjectTable** table)
{
    HRESULT answer = PlatformCall("GetRunningObjectTable", Args(reserved, Out(table)));
    if (!table)
        return E_INVALIDARG;
    *table = nullptr;
    if (FAILED(answer))
        return answer;
    if (reserved != 0)
        return E_INVALIDARG;
    *table = rot;
    rot->AddRef();
    return answer;
}
