#include "ControlIdentity.h"

#include "OleControl.h"

HRESULT ControlIdentity::QueryInterface(REFIID iid, void** out)
{
    return control.InternalQueryInterface(iid, out);
}

ULONG ControlIdentity::AddRef()
{
    return control.InternalAddRef();
}

ULONG ControlIdentity::Release()
{
    return control.InternalRelease();
}
