#include "PersistStorageInterface.h"

#include "ExchangeRunner.h"
#include "PersistStreamInitInterface.h"

using Microsoft::WRL::ComPtr;

const wchar_t kContentsStreamName[] = L"Contents";

CPersistStorageInterface::CPersistStorageInterface(CPersistentObject& owner) : DelegatingInterface(*owner.GetControllingUnknown()), owner(owner) {}

STDMETHODIMP CPersistStorageInterface::GetClassID(CLSID* classId)
{
    return PersistClassIdOf(owner, classId);
}

STDMETHODIMP CPersistStorageInterface::IsDirty()
{
    return DirtyStateOf(owner);
}

STDMETHODIMP CPersistStorageInterface::InitNew(IStorage* newStorage)
{
    if (!newStorage)
        return E_POINTER;
    if (state != State::Uninitialized)
        return CO_E_ALREADYINITIALIZED;
    HRESULT hr = ResetThroughObject(owner);
    if (FAILED(hr))
        return hr;
    storage = newStorage;
    state = State::Normal;
    return S_OK;
}

STDMETHODIMP CPersistStorageInterface::Load(IStorage* sourceStorage)
{
    if (!sourceStorage)
        return E_POINTER;
    if (state != State::Uninitialized)
        return CO_E_ALREADYINITIALIZED;
    ComPtr<IStream> contents;
    HRESULT hr = sourceStorage->OpenStream(kContentsStreamName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                           &contents);
    if (FAILED(hr)) {
        // A storage without our stream holds no control: same rule as a failed load.
        ResetThroughObject(owner);
        return E_FAIL;
    }
    hr = LoadFromStream(owner, contents.Get());
    if (FAILED(hr))
        return hr;
    storage = sourceStorage;
    state = State::Normal;
    return S_OK;
}

STDMETHODIMP CPersistStorageInterface::Save(IStorage* targetStorage, BOOL sameAsLoad)
{
    if (!targetStorage)
        return E_POINTER;
    // Only an object that holds its storage may write; the other states forbid scribbling.
    if (state != State::Normal)
        return E_UNEXPECTED;
    ComPtr<IStream> contents;
    HRESULT hr = targetStorage->CreateStream(kContentsStreamName, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE,
                                             0, 0, &contents);
    if (FAILED(hr))
        return E_FAIL;
    // The own storage now matches the object; a copy elsewhere does not make it clean.
    hr = SaveToStream(owner, contents.Get(), sameAsLoad != FALSE);
    if (FAILED(hr))
        return hr;
    state = State::NoScribble;
    return S_OK;
}

STDMETHODIMP CPersistStorageInterface::SaveCompleted(IStorage* newStorage)
{
    switch (state) {
    case State::NoScribble:
        break;
    case State::HandsOffAfterSave:
    case State::HandsOffFromNormal:
        // Having let the old storage go, the object must be handed a storage to continue.
        if (!newStorage)
            return E_INVALIDARG;
        break;
    default:
        return E_UNEXPECTED;
    }
    if (newStorage) {
        storage = newStorage;
        // "Save as": the new storage holds what was just saved.
        if (state != State::HandsOffFromNormal)
            owner.SetModifiedFlag(false);
    }
    state = State::Normal;
    return S_OK;
}

STDMETHODIMP CPersistStorageInterface::HandsOffStorage()
{
    switch (state) {
    case State::Normal:
        state = State::HandsOffFromNormal;
        break;
    case State::NoScribble:
        state = State::HandsOffAfterSave;
        break;
    default:
        return E_UNEXPECTED;
    }
    storage.Reset();
    return S_OK;
}
