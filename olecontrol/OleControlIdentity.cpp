// Construction, the interface map and the reference count of COleControl.
#include "OleControl.h"


COleControl::COleControl()
    : eventPoint(identity, connectionPoints, IID_NULL),
      propertyNotifyPoint(identity, connectionPoints, IID_IPropertyNotifySink),
      creatorThread(GetCurrentThreadId())
{
    SetInitialSize(100, 50);
}

COleControl::~COleControl()
{
    // Sinks first: their release must not find a half-destroyed window.
    eventPoint.DisconnectAll();
    propertyNotifyPoint.DisconnectAll();
    DestroyControlWindow();
}

void COleControl::SetAutomationIds(const IID& dispatchInterface, const IID& eventInterface)
{
    dispatchIid = dispatchInterface;
    eventIid = eventInterface;
    eventPoint.SetInterfaceId(eventInterface);
}

HRESULT COleControl::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    IUnknown* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
        found = &identity;
    else if (IsEqualIID(iid, IID_IOleObject))
        found = &oleObject;
    else if (IsEqualIID(iid, IID_IOleInPlaceObject) || IsEqualIID(iid, IID_IOleWindow))
        found = &inPlaceObject;
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        found = &inPlaceActiveObject;
    else if (IsEqualIID(iid, IID_IOleControl))
        found = &oleControl;
    else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2))
        found = &viewObject;
    else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, dispatchIid))
        found = &dispatch;
    else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2))
        found = &classInfo;
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        found = &connectionPoints;
    else if (IsEqualIID(iid, IID_ISpecifyPropertyPages))
        found = &propertyPages;
    else if (SUCCEEDED(persistence.FindInterface(iid, out)))
        return S_OK;
    *out = found;
    if (!found)
        return E_NOINTERFACE;
    found->AddRef();
    return S_OK;
}

ULONG COleControl::InternalAddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

ULONG COleControl::InternalRelease()
{
    const LONG left = InterlockedDecrement(&references);
    if (left != 0)
        return static_cast<ULONG>(left);
    // Kept at one while the window goes: its last messages still reach the derived control.
    references = 1;
    DestroyControlWindow();
    delete this;
    return 0;
}

HRESULT COleControl::GetWindowHandle(HWND* out) const
{
    if (!out)
        return E_POINTER;
    *out = window;
    return window ? S_OK : E_FAIL;
}
