#include "UnknownInterface.h"

HRESULT CUnknownInterface::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown))
        return owner.FindInterface(iid, out);
    *out = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
}

ULONG CUnknownInterface::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

ULONG CUnknownInterface::Release()
{
    const LONG left = InterlockedDecrement(&references);
    if (left != 0)
        return static_cast<ULONG>(left);
    // Kept at one while the owner ends: its window's last messages still take references.
    references = 1;
    owner.OnFinalRelease();
    return 0;
}
