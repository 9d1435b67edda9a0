// IOleInPlaceObject: the in-place session as the container ends or reshapes it.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

class COleControl;

class InPlaceObjectInterface final : public DelegatingInterface<IOleInPlaceObject>
{
public:
    InPlaceObjectInterface(COleControl& control, IUnknown& outer) : DelegatingInterface(outer), control(control) {}

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

private:
    COleControl& control;
};
