// The three persistence interfaces of a control, held by value in the control; the control's
// QueryInterface asks FindInterface first for the persistence IIDs.
#pragma once

#include "PersistPropertyBagInterface.h"
#include "PersistStorageInterface.h"
#include "PersistStreamInitInterface.h"

class CPersistenceInterfaces final
{
public:
    explicit CPersistenceInterfaces(CPersistentObject& owner);
    CPersistenceInterfaces(const CPersistenceInterfaces&) = delete;
    CPersistenceInterfaces& operator=(const CPersistenceInterfaces&) = delete;

    // S_OK with an added reference for IPersist, IPersistStream, IPersistStreamInit,
    // IPersistPropertyBag and IPersistStorage; E_NOINTERFACE (and *object null) otherwise.
    HRESULT FindInterface(REFIID iid, void** object);

    CPersistStreamInitInterface& StreamInit() { return streamInit; }
    CPersistPropertyBagInterface& PropertyBag() { return propertyBag; }
    CPersistStorageInterface& Storage() { return storage; }

private:
    CPersistStreamInitInterface streamInit;
    CPersistPropertyBagInterface propertyBag;
    CPersistStorageInterface storage;
};
