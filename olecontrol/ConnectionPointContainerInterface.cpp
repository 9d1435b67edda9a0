#include "ConnectionPointContainerInterface.h"

#include "SnapshotEnumerator.h"

#include <new>

CConnectionPointContainerInterface::CConnectionPointContainerInterface(IUnknown& outer)
    : DelegatingInterface(outer),
      eventPoint(outer, *this, IID_NULL),
      propertyNotifyPoint(outer, *this, IID_IPropertyNotifySink)
{
}

HRESULT CConnectionPointContainerInterface::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(EventInterfaceId(), IID_NULL) && IsEqualIID(iid, EventInterfaceId()))
        *point = &eventPoint;
    else if (IsEqualIID(iid, IID_IPropertyNotifySink))
        *point = &propertyNotifyPoint;
    if (!*point)
        return CONNECT_E_NOCONNECTION;
    (*point)->AddRef();
    return S_OK;
}

HRESULT CConnectionPointContainerInterface::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (!points)
        return E_POINTER;
    *points = nullptr;
    try {
        std::vector<IConnectionPoint*> list;
        if (!IsEqualIID(EventInterfaceId(), IID_NULL))
            list.push_back(&eventPoint);
        list.push_back(&propertyNotifyPoint);
        return ConnectionPointEnumerator::Create(&outer, std::move(list), points);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void CConnectionPointContainerInterface::DisconnectAll()
{
    eventPoint.DisconnectAll();
    propertyNotifyPoint.DisconnectAll();
}
