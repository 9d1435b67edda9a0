// IOleControl: what the container tells the control: mnemonics (it has none), ambient property
// changes, and events frozen or thawed.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

// What the container's notifications need of the control.
class CContainerNotificationsOwner
{
public:
    virtual void OnAmbientPropertyChange(DISPID dispid) = 0;

protected:
    ~CContainerNotificationsOwner() = default;
};

class CContainerNotificationsInterface final : public DelegatingInterface<IOleControl>
{
public:
    CContainerNotificationsInterface(CContainerNotificationsOwner& owner, IUnknown& outer)
        : DelegatingInterface(outer), owner(owner)
    {
    }

    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // Freezes nest: events stay frozen until each freeze is thawed.
    bool EventsFrozen() const { return freezeCount > 0; }

private:
    CContainerNotificationsOwner& owner;
    LONG freezeCount = 0;
};
