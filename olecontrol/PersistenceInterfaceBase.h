// One OLE interface of an object that owns it: IUnknown goes to the owner's controlling
// unknown, so the interface has no reference count of its own.
#pragma once

#include "PersistentObject.h"

template <class Interface>
class CPersistenceInterfaceBase : public Interface
{
public:
    CPersistenceInterfaceBase(const CPersistenceInterfaceBase&) = delete;
    CPersistenceInterfaceBase& operator=(const CPersistenceInterfaceBase&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        return owner.GetControllingUnknown()->QueryInterface(iid, object);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return owner.GetControllingUnknown()->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner.GetControllingUnknown()->Release(); }

protected:
    explicit CPersistenceInterfaceBase(CPersistentObject& owner) : owner(owner) {}
    ~CPersistenceInterfaceBase() = default;

    CPersistentObject& owner;
};
