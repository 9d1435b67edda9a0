#include "ControlContainer.h"

namespace {

using WinInit = BOOL(WINAPI*)();
using CreateControlEx = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**, IUnknown**, REFIID, IUnknown*);

// A plain black window that clips its children, for the container to fill.
const wchar_t* FrameClass()
{
    static const ATOM registered = [] {
        WNDCLASSW frame = {};
        frame.lpfnWndProc = DefWindowProcW;
        frame.hInstance = GetModuleHandleW(nullptr);
        frame.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        frame.lpszClassName = L"CorvaneScriptHostFrame";
        return RegisterClassW(&frame);
    }();
    return registered ? L"CorvaneScriptHostFrame" : nullptr;
}

template <class Function> Function AtlEntry(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

CControlContainer::~CControlContainer()
{
    // Ending the window closes the control; atl.dll stays loaded for objects released later.
    if (window)
        DestroyWindow(window);
}

HRESULT CControlContainer::Place(const std::wstring& progId, int width, int height, IUnknown** control)
{
    HMODULE library = LoadLibraryW(L"atl.dll");
    if (!library)
        return HRESULT_FROM_WIN32(GetLastError());
    auto init = AtlEntry<WinInit>(library, "AtlAxWinInit");
    auto create = AtlEntry<CreateControlEx>(library, "AtlAxCreateControlEx");
    if (!init || !create || !init())
        return E_NOTIMPL;
    window = CreateWindowExW(0, FrameClass(), progId.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                             width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return HRESULT_FROM_WIN32(GetLastError());
    HRESULT hr = create(progId.c_str(), window, nullptr, &container, control, IID_NULL, nullptr);
    if (FAILED(hr))
        return hr;
    Microsoft::WRL::ComPtr<IOleWindow> inPlace;
    if (SUCCEEDED((*control)->QueryInterface(IID_PPV_ARGS(&inPlace))))
        inPlace->GetWindow(&controlWindow);
    return S_OK;
}

HRESULT CControlContainer::Click(int x, int y)
{
    if (!controlWindow)
        return E_UNEXPECTED;
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(controlWindow, WM_MOUSEMOVE, 0, at);
    SendMessageW(controlWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(controlWindow, WM_LBUTTONUP, 0, at);
    return S_OK;
}

void CControlContainer::PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}
