// IOleObject: the container's handle on the control: its site, verbs, extent, status, advise
// sinks and Close.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include "DelegatingInterface.h"

class CInPlaceObjectInterface;

// What IOleObject needs of the control.
class COleObjectOwner
{
public:
    virtual CLSID GetControlClassId() const = 0;
    virtual DWORD GetMiscStatus() const = 0;
    virtual bool IsModified() const = 0;
    // The extent in HIMETRIC.
    virtual SIZEL GetExtent() const = 0;
    virtual void SetExtent(SIZEL extent) = 0;
    virtual HRESULT ShowPropertyFrame() = 0;

protected:
    ~COleObjectOwner() = default;
};

class COleObjectInterface final : public DelegatingInterface<IOleObject>
{
public:
    COleObjectInterface(COleObjectOwner& owner, CInPlaceObjectInterface& inPlace, IUnknown& outer)
        : DelegatingInterface(outer), owner(owner), inPlace(inPlace)
    {
    }

    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* id) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* name) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override;

    IOleClientSite* ClientSite() const { return clientSite.Get(); }
    // The site's IOleControlSite, when it offers one.
    IOleControlSite* ControlSite() const { return controlSite.Get(); }

private:
    HRESULT EnsureAdviseHolder();

    COleObjectOwner& owner;
    CInPlaceObjectInterface& inPlace;
    Microsoft::WRL::ComPtr<IOleClientSite> clientSite;
    Microsoft::WRL::ComPtr<IOleControlSite> controlSite;
    Microsoft::WRL::ComPtr<IOleAdviseHolder> adviseHolder;
};
