// The class object of one creatable class. The module keeps one instance per class for its
// whole life; references to it count as server locks.
#pragma once

#include "ServerModule.h"

#include <unknwn.h>

#include <initializer_list>

// Creates a new object of the class and returns its `iid` interface.
using CreateInstanceFunction = HRESULT (*)(REFIID iid, void** object);

class CClassFactory final : public IClassFactory
{
public:
    CClassFactory(CServerModule& module, REFCLSID classId, CreateInstanceFunction create);
    CClassFactory(const CClassFactory&) = delete;
    CClassFactory& operator=(const CClassFactory&) = delete;

    REFCLSID ClassId() const { return classId; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    CServerModule& module;
    CLSID classId;
    CreateInstanceFunction create;
    volatile LONG references = 0;
};

// DllGetClassObject's search: the factory of `classId` among `factories`, or
// CLASS_E_CLASSNOTAVAILABLE.
HRESULT GetClassObjectFrom(std::initializer_list<CClassFactory*> factories, REFCLSID classId, REFIID iid,
                           void** object);
