// IViewObject2: the container has the control draw into its device context, and is told when
// the picture changed.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include "DelegatingInterface.h"

class COleObjectInterface;

// What drawing for the container needs of the control.
class CViewObjectOwner
{
public:
    virtual void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) = 0;
    virtual HWND GetControlWindow() const = 0;

protected:
    ~CViewObjectOwner() = default;
};

class CViewObjectInterface final : public DelegatingInterface<IViewObject2>
{
public:
    CViewObjectInterface(CViewObjectOwner& owner, COleObjectInterface& object, IUnknown& outer)
        : DelegatingInterface(outer), owner(owner), object(object)
    {
    }

    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** palette) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override;

    // Tells the advised sink that the content changed (once only, if it asked so).
    void NotifyViewChanged();

private:
    CViewObjectOwner& owner;
    COleObjectInterface& object;
    Microsoft::WRL::ComPtr<IAdviseSink> adviseSink;
    DWORD adviseAspects = 0;
    DWORD adviseFlags = 0;
};
