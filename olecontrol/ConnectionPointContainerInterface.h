// IConnectionPointContainer: the control's two connection points, its event interface and
// IPropertyNotifySink, and the sinks advised on each.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <vector>

#include "ConnectionPoint.h"
#include "DelegatingInterface.h"

class CConnectionPointContainerInterface final : public DelegatingInterface<IConnectionPointContainer>
{
public:
    explicit CConnectionPointContainerInterface(IUnknown& outer);

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // The event interface; IID_NULL (no events) offers only IPropertyNotifySink.
    void SetEventInterfaceId(const IID& iid) { eventPoint.SetInterfaceId(iid); }
    const IID& EventInterfaceId() const { return eventPoint.InterfaceId(); }
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> EventSinks() const { return eventPoint.Sinks(); }
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> PropertyNotifySinks() const { return propertyNotifyPoint.Sinks(); }
    void DisconnectAll();

private:
    ConnectionPoint eventPoint;
    ConnectionPoint propertyNotifyPoint;
};
