// The stock mouse events, fired from the control window's mouse messages. The mouse is captured
// while a button is held; a double click reads MouseDown, MouseUp, Click, DblClick, MouseUp.
#include "OleControl.h"

namespace {

constexpr USHORT leftButton = 1;
constexpr USHORT rightButton = 2;
constexpr USHORT middleButton = 4;

USHORT ButtonsHeld(UINT keys)
{
    return static_cast<USHORT>(((keys & MK_LBUTTON) ? leftButton : 0) | ((keys & MK_RBUTTON) ? rightButton : 0) |
                               ((keys & MK_MBUTTON) ? middleButton : 0));
}

// Shift 1, Ctrl 2, Alt 4: the message carries Shift and Ctrl; Alt comes from the key state.
SHORT ShiftState(UINT keys)
{
    return static_cast<SHORT>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                              ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
}

}  // namespace

void COleControl::FireMouseEvent(DISPID dispid, USHORT buttons, UINT keys, POINT point)
{
    if (OffersEvent(dispid))
        FireEvent(dispid, static_cast<short>(buttons), static_cast<short>(ShiftState(keys)), static_cast<long>(point.x),
                  static_cast<long>(point.y));
}

void COleControl::OnButtonDown(USHORT button, UINT keys, POINT point)
{
    if (buttonsDown == 0 && window)
        SetCapture(window);
    buttonsDown |= button;
    FireMouseEvent(DISPID_MOUSEDOWN, button, keys, point);
}

void COleControl::OnButtonDblClk(USHORT button, UINT, POINT)
{
    // The second press of a double click: DblClick instead of MouseDown, and no Click after it.
    if (buttonsDown == 0 && window)
        SetCapture(window);
    buttonsDown |= button;
    doubleClickButtons |= button;
    if (OffersEvent(DISPID_DBLCLICK))
        FireEvent(DISPID_DBLCLICK);
}

void COleControl::OnButtonUp(USHORT button, UINT keys, POINT point)
{
    const bool pressedHere = (buttonsDown & button) != 0;
    const bool endsDoubleClick = (doubleClickButtons & button) != 0;
    buttonsDown &= static_cast<USHORT>(~button);
    doubleClickButtons &= static_cast<USHORT>(~button);
    if (buttonsDown == 0 && window && GetCapture() == window)
        ReleaseCapture();
    FireMouseEvent(DISPID_MOUSEUP, button, keys, point);
    RECT client = {};
    if (window)
        GetClientRect(window, &client);
    if (pressedHere && !endsDoubleClick && PtInRect(&client, point) && OffersEvent(DISPID_CLICK))
        FireEvent(DISPID_CLICK);
}

void COleControl::OnMouseMove(UINT keys, POINT point)
{
    FireMouseEvent(DISPID_MOUSEMOVE, ButtonsHeld(keys), keys, point);
}
