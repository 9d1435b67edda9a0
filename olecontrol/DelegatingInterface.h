// One OLE interface of an object that owns it: IUnknown goes to the owner's controlling
// unknown, so the interface has no reference count of its own.
#pragma once

#include "PersistentObject.h"

template <class Interface>
class CDelegatingInterface : public Interface
{
public:
    CDelegatingInterface(const CDelegatingInterface&) = delete;
    CDelegatingInterface& operator=(const CDelegatingInterface&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        return owner.GetControllingUnknown()->QueryInterface(iid, object);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return owner.GetControllingUnknown()->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner.GetControllingUnknown()->Release(); }

protected:
    explicit CDelegatingInterface(CPersistentObject& owner) : owner(owner) {}
    ~CDelegatingInterface() = default;

    CPersistentObject& owner;
};
