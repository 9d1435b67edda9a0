// ISpecifyPropertyPages: the CLSIDs of the control's property pages.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

class COleControl;

class SpecifyPropertyPagesInterface final : public DelegatingInterface<ISpecifyPropertyPages>
{
public:
    SpecifyPropertyPagesInterface(COleControl& control, IUnknown& outer) : DelegatingInterface(outer), control(control) {}

    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

private:
    COleControl& control;
};
