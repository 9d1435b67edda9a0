// IProvideClassInfo2: the coclass description and the default event interface.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"

class CConnectionPointContainerInterface;

// What describing the class needs of the control.
class CProvideClassInfoOwner
{
public:
    virtual CLSID GetControlClassId() const = 0;
    virtual HRESULT GetTypeInfoOf(REFIID iid, ITypeInfo** out) const = 0;

protected:
    ~CProvideClassInfoOwner() = default;
};

class CProvideClassInfoInterface final : public DelegatingInterface<IProvideClassInfo2>
{
public:
    CProvideClassInfoInterface(CProvideClassInfoOwner& owner, const CConnectionPointContainerInterface& events,
                               IUnknown& outer)
        : DelegatingInterface(outer), owner(owner), events(events)
    {
    }

    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

private:
    CProvideClassInfoOwner& owner;
    const CConnectionPointContainerInterface& events;
};
