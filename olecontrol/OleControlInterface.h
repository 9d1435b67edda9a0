// IOleControl: mnemonics (none), ambient property changes and frozen events.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

class COleControl;

class OleControlInterface final : public DelegatingInterface<IOleControl>
{
public:
    OleControlInterface(COleControl& control, IUnknown& outer) : DelegatingInterface(outer), control(control) {}

    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

private:
    COleControl& control;
};
