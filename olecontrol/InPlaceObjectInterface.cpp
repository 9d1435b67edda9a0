#include "InPlaceObjectInterface.h"

#include "InPlaceActiveObjectInterface.h"

#include <utility>

HRESULT CInPlaceObjectInterface::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = owner.GetControlWindow();
    return *window ? S_OK : E_FAIL;
}

HRESULT CInPlaceObjectInterface::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CInPlaceObjectInterface::Activate(bool activateUI, IOleClientSite* clientSite, HWND parent, const RECT* position)
{
    if (!active) {
        if (!clientSite)
            return E_UNEXPECTED;
        Microsoft::WRL::ComPtr<IOleInPlaceSite> placeSite;
        if (FAILED(clientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(placeSite.GetAddressOf()))))
            return E_NOINTERFACE;
        if (placeSite->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        if (FAILED(placeSite->OnInPlaceActivate()))
            return E_FAIL;
        site = placeSite;
        active = true;

        HWND parentWindow = nullptr;
        if (FAILED(placeSite->GetWindow(&parentWindow)) || !parentWindow)
            parentWindow = parent;
        RECT placement = position ? *position : RECT{};
        RECT clip = placement;
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof(frameInfo);
        frame.Reset();
        uiWindow.Reset();
        if (FAILED(placeSite->GetWindowContext(&frame, &uiWindow, &placement, &clip, &frameInfo))) {
            frame.Reset();
            uiWindow.Reset();
        }
        positionRect = placement;
        if (!parentWindow || !owner.CreateControlWindow(parentWindow, placement)) {
            InPlaceDeactivate();
            return E_FAIL;
        }
    }
    if (owner.GetControlWindow() && !IsWindowVisible(owner.GetControlWindow()))
        ShowWindow(owner.GetControlWindow(), SW_SHOWNA);  // shown again after the hide verb
    if (activateUI && !uiActive) {
        // Raised first: taking the focus below comes back through OnSetFocus.
        uiActive = true;
        site->OnUIActivate();
        IOleInPlaceActiveObject* activeInterface = &activeObject;
        if (frame) {
            frame->SetActiveObject(activeInterface, nullptr);
            frame->SetBorderSpace(nullptr);
        }
        if (uiWindow) {
            uiWindow->SetActiveObject(activeInterface, nullptr);
            uiWindow->SetBorderSpace(nullptr);
        }
        const HWND window = owner.GetControlWindow();
        if (window && GetFocus() != window)
            SetFocus(window);
    }
    return S_OK;
}

HRESULT CInPlaceObjectInterface::UIDeactivate()
{
    if (!uiActive)
        return S_OK;
    uiActive = false;
    if (uiWindow)
        uiWindow->SetActiveObject(nullptr, nullptr);
    if (frame)
        frame->SetActiveObject(nullptr, nullptr);
    if (site)
        site->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT CInPlaceObjectInterface::InPlaceDeactivate()
{
    if (!active)
        return S_OK;
    UIDeactivate();
    active = false;
    owner.DestroyControlWindow();
    Microsoft::WRL::ComPtr<IOleInPlaceSite> ending = std::move(site);
    frame.Reset();
    uiWindow.Reset();
    if (ending)
        ending->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT CInPlaceObjectInterface::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    if (!position)
        return E_POINTER;
    positionRect = *position;
    const HWND window = owner.GetControlWindow();
    if (!window)
        return S_OK;
    SetWindowPos(window, nullptr, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Show only the part inside the clip rectangle, in window coordinates.
    RECT visible = {};
    if (clip && IntersectRect(&visible, position, clip) && !EqualRect(&visible, position)) {
        OffsetRect(&visible, -position->left, -position->top);
        SetWindowRgn(window, CreateRectRgnIndirect(&visible), TRUE);
    } else {
        SetWindowRgn(window, nullptr, TRUE);
    }
    return S_OK;
}

HRESULT CInPlaceObjectInterface::ReactivateAndUndo()
{
    return INPLACE_E_NOTUNDOABLE;
}

HRESULT CInPlaceObjectInterface::Hide()
{
    UIDeactivate();
    if (owner.GetControlWindow())
        ShowWindow(owner.GetControlWindow(), SW_HIDE);
    return S_OK;
}

void CInPlaceObjectInterface::RequestPlacementSize(SIZE pixels)
{
    if (!active || !site)
        return;
    RECT wanted = {positionRect.left, positionRect.top, positionRect.left + pixels.cx, positionRect.top + pixels.cy};
    site->OnPosRectChange(&wanted);
}

HWND CInPlaceObjectInterface::ContainerWindow() const
{
    HWND window = nullptr;
    if (site)
        site->GetWindow(&window);
    return window;
}

