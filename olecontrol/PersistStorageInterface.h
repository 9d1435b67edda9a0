// IPersistStorage for a control: the properties live in a "Contents" stream of the storage,
// in the stream form. Follows the storage states: uninitialised, normal (holding the
// storage), no-scribble after a save, and hands-off (storage released).
#pragma once

#include "DelegatingInterface.h"
#include "PersistentObject.h"

#include <wrl/client.h>

class CPersistStorageInterface final : public DelegatingInterface<IPersistStorage>
{
public:
    enum class State { Uninitialized, Normal, NoScribble, HandsOffAfterSave, HandsOffFromNormal };

    explicit CPersistStorageInterface(CPersistentObject& owner);

    STDMETHODIMP GetClassID(CLSID* classId) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP InitNew(IStorage* storage) override;
    STDMETHODIMP Load(IStorage* storage) override;
    STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage* newStorage) override;
    STDMETHODIMP HandsOffStorage() override;

    State GetState() const { return state; }

private:
    CPersistentObject& owner;
    Microsoft::WRL::ComPtr<IStorage> storage;
    State state = State::Uninitialized;
};

// The name of the stream that holds the properties inside a storage.
extern const wchar_t kContentsStreamName[];
