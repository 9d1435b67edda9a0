#include "ClassFactory.h"

CClassFactory::CClassFactory(CServerModule& module, REFCLSID classId, CreateInstanceFunction create)
    : module(module), classId(classId), create(create)
{
}

STDMETHODIMP CClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef()
{
    LONG count = InterlockedIncrement(&references);
    if (count == 1)
        module.Lock();
    return static_cast<ULONG>(count);
}

STDMETHODIMP_(ULONG) CClassFactory::Release()
{
    // The instance is the module's; the last release only gives the lock back.
    LONG count = InterlockedDecrement(&references);
    if (count == 0)
        module.Unlock();
    return static_cast<ULONG>(count);
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (!create)
        return E_UNEXPECTED;
    try {
        return create(iid, object);
    } catch (...) {
        *object = nullptr;
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock)
{
    if (lock)
        module.Lock();
    else if (module.Locks() > 0)
        module.Unlock();
    return S_OK;
}

HRESULT GetClassObjectFrom(std::initializer_list<CClassFactory*> factories, REFCLSID classId, REFIID iid,
                           void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (CClassFactory* factory : factories)
        if (factory && IsEqualCLSID(factory->ClassId(), classId))
            return factory->QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}
