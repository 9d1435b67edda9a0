#include "FakePropertyPage.h"

FakePropertyPage::FakePropertyPage()
{
    if (FAILED(CoRegisterClassObject(CLSID_FakePropertyPage, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                                     REGCLS_MULTIPLEUSE, &cookie)))
        cookie = 0;
}

FakePropertyPage::~FakePropertyPage()
{
    if (cookie)
        CoRevokeClassObject(cookie);
    for (IUnknown* object : objectsSeen)
        object->Release();
}

HRESULT FakePropertyPage::QueryInterface(REFIID iid, void** out)
{
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPage))
        *out = static_cast<IPropertyPage*>(this);
    else if (IsEqualIID(iid, IID_IClassFactory))
        *out = static_cast<IClassFactory*>(this);
    return *out ? S_OK : E_NOINTERFACE;
}

HRESULT FakePropertyPage::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return QueryInterface(iid, out);
}

HRESULT FakePropertyPage::Activate(HWND parent, LPCRECT area, BOOL)
{
    ++activations;
    pageWindow = CreateWindowExA(0, "Static", "fake page", WS_CHILD | WS_VISIBLE, area->left, area->top,
                                 area->right - area->left, area->bottom - area->top, parent, nullptr, nullptr, nullptr);
    return S_OK;
}

HRESULT FakePropertyPage::Deactivate()
{
    if (pageWindow)
        DestroyWindow(pageWindow);
    pageWindow = nullptr;
    return S_OK;
}

HRESULT FakePropertyPage::GetPageInfo(PROPPAGEINFO* info)
{
    static wchar_t title[] = L"Fake";
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof(title)));
    if (info->pszTitle)
        memcpy(info->pszTitle, title, sizeof(title));
    info->size = SIZE{200, 100};
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

HRESULT FakePropertyPage::SetObjects(ULONG count, IUnknown** objects)
{
    for (ULONG i = 0; i < count; ++i) {
        objects[i]->AddRef();
        objectsSeen.push_back(objects[i]);
    }
    return S_OK;
}
