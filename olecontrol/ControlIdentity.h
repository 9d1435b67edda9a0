// The control's one IUnknown: its identity for QueryInterface and its reference count.
#pragma once

#include <windows.h>
#include <unknwn.h>

class COleControl;

class ControlIdentity final : public IUnknown
{
public:
    explicit ControlIdentity(COleControl& control) : control(control) {}
    ControlIdentity(const ControlIdentity&) = delete;
    ControlIdentity& operator=(const ControlIdentity&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

private:
    COleControl& control;
};
