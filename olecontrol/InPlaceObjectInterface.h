// IOleInPlaceObject: the in-place session: activation in the container's window, UI activation,
// placement and clipping, deactivation. The control's window lives while the session does.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include "DelegatingInterface.h"

class CInPlaceActiveObjectInterface;

// What the in-place session needs of the control.
class CInPlaceObjectOwner
{
public:
    // The control's window made (or moved) into `parent` at `position`; false if it cannot be.
    virtual bool CreateControlWindow(HWND parent, const RECT& position) = 0;
    virtual void DestroyControlWindow() = 0;
    virtual HWND GetControlWindow() const = 0;

protected:
    ~CInPlaceObjectOwner() = default;
};

class CInPlaceObjectInterface final : public DelegatingInterface<IOleInPlaceObject>
{
public:
    CInPlaceObjectInterface(CInPlaceObjectOwner& owner, CInPlaceActiveObjectInterface& activeObject, IUnknown& outer)
        : DelegatingInterface(outer), owner(owner), activeObject(activeObject)
    {
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

    // In place through `site` (unused once active), then UI active as well if asked.
    HRESULT Activate(bool activateUI, IOleClientSite* site, HWND parent, const RECT* position);
    // The hide verb: UI deactivated, the window hidden, still in place.
    HRESULT Hide();
    bool IsActive() const { return active; }
    bool IsUIActive() const { return uiActive; }
    // Asks the container for a placement of this size at the current position (in place only).
    void RequestPlacementSize(SIZE pixels);
    // The container's window while in place, else null.
    HWND ContainerWindow() const;

private:
    CInPlaceObjectOwner& owner;
    CInPlaceActiveObjectInterface& activeObject;
    Microsoft::WRL::ComPtr<IOleInPlaceSite> site;
    Microsoft::WRL::ComPtr<IOleInPlaceFrame> frame;
    Microsoft::WRL::ComPtr<IOleInPlaceUIWindow> uiWindow;
    bool active = false;
    bool uiActive = false;
    RECT positionRect{};
};
