// Wine's ATL container (atl.dll, loaded at run time): a real host that nobody here wrote.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <memory>

#include "support/TestWindow.h"

class AtlHost final
{
public:
    AtlHost(int width, int height);
    ~AtlHost();
    AtlHost(const AtlHost&) = delete;
    AtlHost& operator=(const AtlHost&) = delete;

    // False (with the reason) when the container library is unusable.
    bool Load(std::string& why);
    // Puts `control` in place in the container window, as the container does for a new control.
    HRESULT Attach(IUnknown* control);
    // Has the container create the control of a registered ProgID and put it in place.
    HRESULT Create(const wchar_t* progId, IUnknown** control);
    HRESULT GetControl(IUnknown** out) const;
    HWND Window() const { return window->Handle(); }
    // Ends the container window, which detaches (closes) the control.
    void Destroy() { window.reset(); }

private:
    using WinInit = BOOL(WINAPI*)();
    using AttachControl = HRESULT(WINAPI*)(IUnknown*, HWND, IUnknown**);
    using CreateControlEx = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**, IUnknown**, REFIID, IUnknown*);
    using GetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

    std::unique_ptr<TestWindow> window;
    HMODULE library = nullptr;
    AttachControl attach = nullptr;
    CreateControlEx createControl = nullptr;
    GetControlFn getControl = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> container;
};

// The client rectangle of `window` (origin 0, 0): what a control filling its container spans.
inline RECT ClientOf(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}
