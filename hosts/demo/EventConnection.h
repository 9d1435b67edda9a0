// Receives a control's events the standard way: the default source interface named by
// IProvideClassInfo2, found through IConnectionPointContainer, advised with our own sink.
// Each event reaches `handler` by its name from the control's type information.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <functional>
#include <string>

using EventHandler = std::function<void(const std::wstring& eventName)>;

class CEventConnection final
{
public:
    CEventConnection() = default;
    ~CEventConnection() { Disconnect(); }
    CEventConnection(const CEventConnection&) = delete;
    CEventConnection& operator=(const CEventConnection&) = delete;

    HRESULT Connect(IUnknown* control, EventHandler handler);
    void Disconnect();

private:
    Microsoft::WRL::ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
};
