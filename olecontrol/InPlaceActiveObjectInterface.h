// IOleInPlaceActiveObject: what the frame tells the UI-active control.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

class CInPlaceObjectInterface;

class CInPlaceActiveObjectInterface final : public DelegatingInterface<IOleInPlaceActiveObject>
{
public:
    CInPlaceActiveObjectInterface(CInPlaceObjectInterface& inPlace, IUnknown& outer)
        : DelegatingInterface(outer), inPlace(inPlace)
    {
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;

private:
    CInPlaceObjectInterface& inPlace;
};
