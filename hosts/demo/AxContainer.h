// The system's ATL control container (atl.dll, loaded at run time because MinGW has no import
// library for it): it creates a control by ProgID and keeps it in place in a window of ours.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>

class CAxContainer final
{
public:
    CAxContainer() = default;
    CAxContainer(const CAxContainer&) = delete;
    CAxContainer& operator=(const CAxContainer&) = delete;

    // False, with the reason, when the container library or its entry points are missing.
    bool Load(std::wstring& why);
    // Creates the control of `progId` filling `window`, which the container takes over.
    HRESULT Create(const wchar_t* progId, HWND window, IUnknown** control);
    // Lets go of the container site; the control closes when its window is destroyed.
    void Release() { site.Reset(); }

private:
    using WinInit = BOOL(WINAPI*)();
    using CreateControlEx = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**, IUnknown**, REFIID, IUnknown*);

    HMODULE library = nullptr;
    CreateControlEx createControl = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> site;
};
