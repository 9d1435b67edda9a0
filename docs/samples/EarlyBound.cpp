// Corvane from C++ with early binding: the DISPIDs are known at compile time (from the type
// library CorvaneLib), so every call is one IDispatch::Invoke without a name lookup. The
// control is hosted in place in a window by the system's ATL container, plays the clip named
// on the command line, and its events arrive through its connection point.
//
//   EarlyBound.exe clip.avi      prints what it checks and ends with "DONE fails=N"
//
// Build (MinGW): g++ EarlyBound.cpp -o EarlyBound.exe -lole32 -loleaut32 -luuid -luser32 -static
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstdio>
#include <string>

// From the type library: the class, the library and the event interface.
const CLSID CLSID_Corvane = {0x23c39a2b, 0x5a17, 0x40f1, {0xa8, 0xee, 0xaa, 0x01, 0x91, 0xeb, 0xf6, 0x07}};
const GUID LIBID_CorvaneLib = {0xb145199e, 0xab4f, 0x4744, {0x90, 0x5c, 0x98, 0xb7, 0x3f, 0x11, 0xff, 0x70}};
const IID DIID_DCorvane = {0x5f18e6ff, 0x5374, 0x408d, {0x81, 0xc6, 0xcd, 0xd9, 0x41, 0xe5, 0xe9, 0x68}};
const IID DIID_DCorvaneEvents = {0xf089790a, 0x0091, 0x4719, {0xb1, 0x49, 0x69, 0x4b, 0xc1, 0xeb, 0xcf, 0xf8}};

// The DISPIDs this program uses, as the type library gives them.
struct Member { const wchar_t* name; DISPID id; };
const Member kMembers[] = {
    {L"XLoop", 3},           {L"GetDurationHHMMSS", 6}, {L"GetSliderMax", 9}, {L"GetSliderPosition", 10},
    {L"GetDuration", 12},    {L"GetPosition", 15},      {L"Play", 26},        {L"LoadMediaFile", 43},
};
enum : DISPID { XLOOP = 3, GETDURATIONHHMMSS = 6, GETSLIDERMAX = 9, GETSLIDERPOSITION = 10, GETDURATION = 12,
                GETPOSITION = 15, PLAY = 26, LOADMEDIAFILE = 43 };
enum : DISPID { ONPLAYING = 1, ONFINISH = 2 };

int fails = 0;

void Check(const char* what, bool ok, const std::string& detail)
{
    std::printf("%s %s: %s\n", ok ? "ok  " : "FAIL", what, detail.c_str());
    fails += ok ? 0 : 1;
}

// One early-bound call: arguments in call order (Invoke wants them last first).
HRESULT CallId(IDispatch* control, DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result)
{
    VARIANT reversed[8];
    for (UINT i = 0; i < count; ++i)
        reversed[i] = args[count - 1 - i];
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {count ? reversed : nullptr, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, count,
                             flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    if (result)
        VariantInit(result);
    return control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, nullptr, nullptr);
}

double Number(IDispatch* control, DISPID id)
{
    VARIANT result;
    CallId(control, id, DISPATCH_METHOD, nullptr, 0, &result);
    VariantChangeType(&result, &result, 0, VT_R8);
    return result.vt == VT_R8 ? result.dblVal : -1.0;
}

// The event sink: _DCorvaneEvents is a dispinterface, so events arrive as Invoke(dispid).
class EventSink final : public IDispatch
{
public:
    int playing = 0;
    int finished = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DCorvaneEvents) {
            *object = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on main()'s stack for the whole run.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id == ONPLAYING)
            ++playing;
        else if (id == ONFINISH)
            ++finished;
        return S_OK;
    }
};

// The constants above must be what the registered type library says.
void CheckDispids()
{
    ITypeLib* library = nullptr;
    ITypeInfo* info = nullptr;
    // The library is registered under its own locale, English (United States).
    HRESULT hr = LoadRegTypeLib(LIBID_CorvaneLib, 1, 0, MAKELCID(0x409, SORT_DEFAULT), &library);
    if (SUCCEEDED(hr))
        hr = library->GetTypeInfoOfGuid(DIID_DCorvane, &info);
    char code[32];
    std::snprintf(code, sizeof code, "LoadRegTypeLib 0x%08lx", static_cast<unsigned long>(hr));
    Check("type library CorvaneLib 1.0 registered", SUCCEEDED(hr), code);
    for (const Member& member : kMembers) {
        if (!info)
            break;
        LPOLESTR name = const_cast<LPOLESTR>(member.name);
        MEMBERID id = MEMBERID_NIL;
        info->GetIDsOfNames(&name, 1, &id);
        char text[96];
        std::snprintf(text, sizeof text, "%ls is %ld, the sample uses %ld", member.name, static_cast<long>(id),
                      static_cast<long>(member.id));
        Check("DISPID", id == member.id, text);
    }
    if (info)
        info->Release();
    if (library)
        library->Release();
}

// The system's ATL container, loaded at run time (MinGW has no import library for atl.dll).
IUnknown* CreateInPlace(HWND window)
{
    using WinInit = BOOL(WINAPI*)();
    using CreateEx = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**, IUnknown**, REFIID, IUnknown*);
    HMODULE atl = LoadLibraryW(L"atl.dll");
    auto init = reinterpret_cast<WinInit>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    auto create = reinterpret_cast<CreateEx>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxCreateControlEx")));
    IUnknown* site = nullptr;
    IUnknown* control = nullptr;
    if (!init || !create || !init() ||
        FAILED(create(L"Corvane.CorvaneCtrl.1", window, nullptr, &site, &control, IID_NULL, nullptr)))
        return nullptr;
    return control;  // the site stays with the window
}

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::printf("usage: EarlyBound.exe clip.avi\n");
        return 2;
    }
    OleInitialize(nullptr);
    CheckDispids();

    HWND window = CreateWindowExW(0, L"STATIC", L"Corvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    IUnknown* object = CreateInPlace(window);
    Check("created in place by ProgID", object != nullptr, "AtlAxCreateControlEx");
    IDispatch* control = nullptr;
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&control)))) {
        std::printf("DONE fails=%d\n", fails + 1);
        return 1;
    }

    // Events: the default source interface through the connection point container.
    EventSink sink;
    IProvideClassInfo2* classInfo = nullptr;
    IConnectionPointContainer* points = nullptr;
    IConnectionPoint* point = nullptr;
    IID source = {};
    DWORD cookie = 0;
    HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&classInfo));
    if (SUCCEEDED(hr))
        hr = classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source);
    if (SUCCEEDED(hr))
        hr = object->QueryInterface(IID_PPV_ARGS(&points));
    if (SUCCEEDED(hr))
        hr = points->FindConnectionPoint(source, &point);
    if (SUCCEEDED(hr))
        hr = point->Advise(&sink, &cookie);
    Check("events connected", SUCCEEDED(hr) && IsEqualIID(source, DIID_DCorvaneEvents), "Advise");

    Check("GetSliderMax", Number(control, GETSLIDERMAX) == 1000.0, "1000");
    Check("GetDuration before loading", Number(control, GETDURATION) == 0.0, "0");

    VARIANT load[3];
    load[0].vt = VT_BSTR;
    load[0].bstrVal = SysAllocString(argv[1]);
    load[1].vt = VT_I2;
    load[1].iVal = 0;
    load[2].vt = VT_BOOL;
    load[2].boolVal = VARIANT_TRUE;
    CallId(control, LOADMEDIAFILE, DISPATCH_METHOD, load, 3, nullptr);
    SysFreeString(load[0].bstrVal);
    const double duration = Number(control, GETDURATION);
    Check("GetDuration after loading", duration > 0.0, std::to_string(duration) + " s");
    VARIANT text;
    CallId(control, GETDURATIONHHMMSS, DISPATCH_METHOD, nullptr, 0, &text);
    Check("GetDurationHHMMSS", text.vt == VT_BSTR && SysStringLen(text.bstrVal) >= 8, "a text like 00:00:02");
    VariantClear(&text);

    VARIANT loop;
    loop.vt = VT_BOOL;
    loop.boolVal = VARIANT_FALSE;
    CallId(control, XLOOP, DISPATCH_PROPERTYPUT, &loop, 1, nullptr);
    CallId(control, PLAY, DISPATCH_METHOD, nullptr, 0, nullptr);

    // Events come through the control's timers: run a message loop until OnFinish.
    double furthest = 0.0;
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(duration * 1000.0) + 5000;
    while (!sink.finished && GetTickCount() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (sink.playing && !sink.finished) {
            const double slider = Number(control, GETSLIDERPOSITION);
            furthest = slider > furthest ? slider : furthest;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    Check("OnPlaying while playing", sink.playing > 5, std::to_string(sink.playing) + " events");
    Check("the slider moved", furthest > 0.0, "up to " + std::to_string(static_cast<int>(furthest)));
    Check("OnFinish at the end", sink.finished == 1, std::to_string(sink.finished) + " events");
    Check("GetPosition once finished", Number(control, GETPOSITION) == 0.0, "0 (stopped)");

    if (point) {
        point->Unadvise(cookie);
        point->Release();
    }
    if (points)
        points->Release();
    if (classInfo)
        classInfo->Release();
    control->Release();
    object->Release();
    DestroyWindow(window);
    OleUninitialize();
    std::printf("DONE fails=%d\n", fails);
    return fails ? 1 : 0;
}
