#include "InPlaceObjectInterface.h"

#include "OleControl.h"

HRESULT InPlaceObjectInterface::GetWindow(HWND* window)
{
    return control.GetWindowHandle(window);
}

HRESULT InPlaceObjectInterface::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT InPlaceObjectInterface::InPlaceDeactivate()
{
    return control.InPlaceDeactivate();
}

HRESULT InPlaceObjectInterface::UIDeactivate()
{
    return control.UIDeactivate();
}

HRESULT InPlaceObjectInterface::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    return control.SetObjectRects(position, clip);
}

HRESULT InPlaceObjectInterface::ReactivateAndUndo()
{
    return INPLACE_E_NOTUNDOABLE;
}
