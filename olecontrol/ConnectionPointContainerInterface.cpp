#include "ConnectionPointContainerInterface.h"

#include "OleControl.h"

HRESULT ConnectionPointContainerInterface::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    return control.EnumConnectionPoints(points);
}

HRESULT ConnectionPointContainerInterface::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    return control.FindConnectionPoint(iid, point);
}
