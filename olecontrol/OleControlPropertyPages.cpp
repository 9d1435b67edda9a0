// The properties verb: the container's own frame if it offers one, else a standard frame.
#include "OleControl.h"

HRESULT COleControl::ShowPropertyFrame()
{
    std::vector<CLSID> pages = GetPropertyPages();
    if (pages.empty())
        return E_NOTIMPL;
    IOleControlSite* site = oleObject.ControlSite();
    if (site && site->ShowPropertyFrame() == S_OK)
        return S_OK;
    HWND owner = window ? GetParent(window) : nullptr;
    if (!owner)
        owner = inPlaceObject.ContainerWindow();
    LPOLESTR caption = nullptr;
    OleRegGetUserType(GetControlClassId(), USERCLASSTYPE_SHORT, &caption);
    IUnknown* objects[] = {&identity};
    // Modal: the control is held by the frame's pages until it closes.
    const HRESULT hr = OleCreatePropertyFrame(owner, 0, 0, caption ? caption : L"", 1, objects,
                                              static_cast<ULONG>(pages.size()), pages.data(), LOCALE_USER_DEFAULT, 0,
                                              nullptr);
    CoTaskMemFree(caption);
    return hr;
}
