#include "PersistenceInterfaces.h"

CPersistenceInterfaces::CPersistenceInterfaces(CPersistentObject& owner)
    : streamInit(owner), propertyBag(owner), storage(owner)
{
}

HRESULT CPersistenceInterfaces::FindInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    IUnknown* found = nullptr;
    // IPersistStreamInit begins with the methods of IPersistStream, so it serves both.
    if (iid == IID_IPersist || iid == IID_IPersistStream || iid == IID_IPersistStreamInit)
        found = static_cast<IPersistStreamInit*>(&streamInit);
    else if (iid == IID_IPersistPropertyBag)
        found = static_cast<IPersistPropertyBag*>(&propertyBag);
    else if (iid == IID_IPersistStorage)
        found = static_cast<IPersistStorage*>(&storage);
    *object = found;
    if (!found)
        return E_NOINTERFACE;
    found->AddRef();
    return S_OK;
}
