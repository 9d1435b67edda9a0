// Construction, the interface map, the end of life and the extent of COleControl.
#include "OleControl.h"

#include "Himetric.h"

COleControl::COleControl() : creatorThread(GetCurrentThreadId())
{
    SetInitialSize(100, 50);
}

COleControl::~COleControl()
{
    // Sinks first: their release must not find a half-destroyed window.
    connectionPoints.DisconnectAll();
    DestroyControlWindow();
}

void COleControl::SetAutomationIds(const IID& dispatchInterface, const IID& eventInterface)
{
    dispatch.SetInterfaceId(dispatchInterface);
    connectionPoints.SetEventInterfaceId(eventInterface);
}

HRESULT COleControl::FindInterface(REFIID iid, void** out)
{
    IUnknown* found = nullptr;
    if (IsEqualIID(iid, IID_IOleObject))
        found = &oleObject;
    else if (IsEqualIID(iid, IID_IOleInPlaceObject) || IsEqualIID(iid, IID_IOleWindow))
        found = &inPlaceObject;
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        found = &inPlaceActiveObject;
    else if (IsEqualIID(iid, IID_IOleControl))
        found = &containerNotifications;
    else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2))
        found = &viewObject;
    else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, dispatch.InterfaceId()))
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

void COleControl::OnFinalRelease()
{
    // The window goes first: its last messages still reach the derived control.
    DestroyControlWindow();
    delete this;
}

// An inside-out control that is active whenever visible and wants its site before its data.
DWORD COleControl::GetMiscStatus() const
{
    return OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
           OLEMISC_SETCLIENTSITEFIRST;
}

void COleControl::SetInitialSize(int width, int height)
{
    extent = PixelsToHimetric(SIZE{width, height});
}

void COleControl::SetControlSize(int width, int height)
{
    extent = PixelsToHimetric(SIZE{width, height});
    inPlaceObject.RequestPlacementSize(SIZE{width, height});
    viewObject.NotifyViewChanged();
}
