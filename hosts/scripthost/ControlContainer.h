// A window of the host holding one control in Wine's ATL container (atl.dll, loaded at run
// time), as a form does: the control is in place, has its own window and gets its timers.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>

class CControlContainer final
{
public:
    CControlContainer() = default;
    ~CControlContainer();
    CControlContainer(const CControlContainer&) = delete;
    CControlContainer& operator=(const CControlContainer&) = delete;

    // Creates the control of `progId` in place in a new visible window of width x height.
    HRESULT Place(const std::wstring& progId, int width, int height, IUnknown** control);
    // A left click at (x, y) of the control's window, with the mouse moving there first.
    HRESULT Click(int x, int y);

    // Dispatches the thread's messages (timers, window messages) for `milliseconds`.
    static void PumpMessages(DWORD milliseconds);

private:
    HWND window = nullptr;
    HWND controlWindow = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> container;
};
