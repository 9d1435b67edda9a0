// IConnectionPointContainer: the event interface and IPropertyNotifySink.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

class COleControl;

class ConnectionPointContainerInterface final : public DelegatingInterface<IConnectionPointContainer>
{
public:
    ConnectionPointContainerInterface(COleControl& control, IUnknown& outer) : DelegatingInterface(outer), control(control) {}

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    COleControl& control;
};
