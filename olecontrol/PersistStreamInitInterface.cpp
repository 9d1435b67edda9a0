#include "PersistStreamInitInterface.h"

#include "ExchangeRunner.h"

#include <wrl/client.h>

HRESULT PersistClassIdOf(const CPersistentObject& owner, CLSID* classId)
{
    if (!classId)
        return E_POINTER;
    *classId = owner.GetPersistClassId();
    return S_OK;
}

HRESULT DirtyStateOf(const CPersistentObject& owner)
{
    return owner.IsModified() ? S_OK : S_FALSE;
}

CPersistStreamInitInterface::CPersistStreamInitInterface(CPersistentObject& owner)
    : DelegatingInterface(*owner.GetControllingUnknown()), owner(owner)
{
}

STDMETHODIMP CPersistStreamInitInterface::GetClassID(CLSID* classId)
{
    return PersistClassIdOf(owner, classId);
}

STDMETHODIMP CPersistStreamInitInterface::IsDirty()
{
    return DirtyStateOf(owner);
}

STDMETHODIMP CPersistStreamInitInterface::Load(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    return LoadFromStream(owner, stream);
}

STDMETHODIMP CPersistStreamInitInterface::Save(IStream* stream, BOOL clearDirty)
{
    if (!stream)
        return E_POINTER;
    return SaveToStream(owner, stream, clearDirty != FALSE);
}

STDMETHODIMP CPersistStreamInitInterface::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    size->QuadPart = 0;
    // The size is that of a real save into memory: strings and objects have no fixed size.
    Microsoft::WRL::ComPtr<IStream> memory;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &memory);
    if (FAILED(hr))
        return hr;
    hr = SaveToStream(owner, memory.Get(), false);
    if (FAILED(hr))
        return hr;
    STATSTG status = {};
    hr = memory->Stat(&status, STATFLAG_NONAME);
    if (FAILED(hr))
        return hr;
    *size = status.cbSize;
    return S_OK;
}

STDMETHODIMP CPersistStreamInitInterface::InitNew()
{
    return ResetThroughObject(owner);
}
