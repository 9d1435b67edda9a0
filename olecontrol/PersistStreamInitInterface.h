// IPersistStreamInit (and IPersistStream, which shares its first methods) for a control.
#pragma once

#include "DelegatingInterface.h"
#include "PersistentObject.h"

#include <ocidl.h>

class CPersistStreamInitInterface final : public DelegatingInterface<IPersistStreamInit>
{
public:
    explicit CPersistStreamInitInterface(CPersistentObject& owner);

    STDMETHODIMP GetClassID(CLSID* classId) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

private:
    CPersistentObject& owner;
};

// Shared by the persistence interfaces.
HRESULT PersistClassIdOf(const CPersistentObject& owner, CLSID* classId);
HRESULT DirtyStateOf(const CPersistentObject& owner);
