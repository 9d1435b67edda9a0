// In-place and UI activation: the control's window lives while it is in place in the container.
#include "OleControl.h"

#include "Himetric.h"

HRESULT COleControl::InPlaceActivate(bool activateUI, IOleClientSite* site, HWND parent, const RECT* position)
{
    if (!inPlaceActive) {
        IOleClientSite* activeSite = clientSite ? clientSite.Get() : site;
        if (!activeSite)
            return E_UNEXPECTED;
        Microsoft::WRL::ComPtr<IOleInPlaceSite> placeSite;
        if (FAILED(activeSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(placeSite.GetAddressOf()))))
            return E_NOINTERFACE;
        if (placeSite->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        if (FAILED(placeSite->OnInPlaceActivate()))
            return E_FAIL;
        inPlaceSite = placeSite;
        inPlaceActive = true;

        HWND parentWindow = nullptr;
        if (FAILED(placeSite->GetWindow(&parentWindow)) || !parentWindow)
            parentWindow = parent;
        RECT placement = position ? *position : RECT{};
        RECT clip = placement;
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof(frameInfo);
        inPlaceFrame.Reset();
        inPlaceUIWindow.Reset();
        if (FAILED(placeSite->GetWindowContext(&inPlaceFrame, &inPlaceUIWindow, &placement, &clip, &frameInfo))) {
            inPlaceFrame.Reset();
            inPlaceUIWindow.Reset();
        }
        positionRect = placement;
        if (!parentWindow || !CreateControlWindow(parentWindow, placement)) {
            InPlaceDeactivate();
            return E_FAIL;
        }
    }
    if (window && !IsWindowVisible(window))
        ShowWindow(window, SW_SHOWNA);  // shown again after the hide verb
    if (activateUI && !uiActive) {
        // Raised first: taking the focus below comes back through OnSetFocus.
        uiActive = true;
        inPlaceSite->OnUIActivate();
        if (inPlaceFrame) {
            inPlaceFrame->SetActiveObject(&inPlaceActiveObject, nullptr);
            inPlaceFrame->SetBorderSpace(nullptr);
        }
        if (inPlaceUIWindow) {
            inPlaceUIWindow->SetActiveObject(&inPlaceActiveObject, nullptr);
            inPlaceUIWindow->SetBorderSpace(nullptr);
        }
        if (window && GetFocus() != window)
            SetFocus(window);
    }
    return S_OK;
}

HRESULT COleControl::UIDeactivate()
{
    if (!uiActive)
        return S_OK;
    uiActive = false;
    if (inPlaceUIWindow)
        inPlaceUIWindow->SetActiveObject(nullptr, nullptr);
    if (inPlaceFrame)
        inPlaceFrame->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite)
        inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT COleControl::InPlaceDeactivate()
{
    if (!inPlaceActive)
        return S_OK;
    UIDeactivate();
    inPlaceActive = false;
    DestroyControlWindow();
    Microsoft::WRL::ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite);
    inPlaceFrame.Reset();
    inPlaceUIWindow.Reset();
    if (site)
        site->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT COleControl::SetObjectRects(const RECT* position, const RECT* clip)
{
    if (!position)
        return E_POINTER;
    positionRect = *position;
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

HRESULT COleControl::HideControl()
{
    UIDeactivate();
    if (window)
        ShowWindow(window, SW_HIDE);
    return S_OK;
}

void COleControl::SetInitialSize(int width, int height)
{
    extent = PixelsToHimetric(SIZE{width, height});
}

void COleControl::SetControlSize(int width, int height)
{
    extent = PixelsToHimetric(SIZE{width, height});
    RequestPlacementSize(SIZE{width, height});
    NotifyViewChanged();
}

void COleControl::RequestPlacementSize(SIZE pixels)
{
    if (!inPlaceActive || !inPlaceSite)
        return;
    RECT wanted = {positionRect.left, positionRect.top, positionRect.left + pixels.cx, positionRect.top + pixels.cy};
    inPlaceSite->OnPosRectChange(&wanted);
}
