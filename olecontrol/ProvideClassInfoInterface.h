// IProvideClassInfo2: the coclass description and the default event interface.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

class COleControl;

class ProvideClassInfoInterface final : public DelegatingInterface<IProvideClassInfo2>
{
public:
    ProvideClassInfoInterface(COleControl& control, IUnknown& outer) : DelegatingInterface(outer), control(control) {}

    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

private:
    COleControl& control;
};
