#include "PropertyPage.h"

#include "ComBoundary.h"

#include <new>
#include <string>

CPropertyPage::CPropertyPage(HINSTANCE resources, UINT dialogId, UINT captionId)
    : resources(resources), dialogId(dialogId), captionId(captionId)
{
}

CPropertyPage::~CPropertyPage()
{
    if (dialog)
        DestroyWindow(dialog);
}

STDMETHODIMP CPropertyPage::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage || iid == IID_IPropertyPage2) {
        *object = static_cast<IPropertyPage2*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CPropertyPage::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

STDMETHODIMP_(ULONG) CPropertyPage::Release()
{
    LONG count = InterlockedDecrement(&references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CPropertyPage::SetPageSite(IPropertyPageSite* newSite)
{
    // The frame sets a site once and clears it before releasing the page.
    if (newSite && site)
        return E_UNEXPECTED;
    site = newSite;
    return S_OK;
}

INT_PTR CALLBACK CPropertyPage::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* page = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(window, DWLP_USER));
    if (page && message == WM_COMMAND) {
        // Any edit in a control makes the page dirty; Apply carries it over.
        WORD notification = HIWORD(wParam);
        if (notification == EN_CHANGE || notification == BN_CLICKED || notification == CBN_SELCHANGE ||
            notification == LBN_SELCHANGE)
            page->SetDirty(true);
        return TRUE;
    }
    return FALSE;
}

HWND CPropertyPage::CreatePageDialog(HWND parent)
{
    HWND created = CreateDialogParamW(resources, MAKEINTRESOURCEW(dialogId), parent, DialogProcedure,
                                      reinterpret_cast<LPARAM>(this));
    if (created) {
        // The frame places the page; a template without WS_CHILD would float over it.
        LONG_PTR style = GetWindowLongPtrW(created, GWL_STYLE);
        SetWindowLongPtrW(created, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
    }
    return created;
}

STDMETHODIMP CPropertyPage::Activate(HWND parent, LPCRECT rect, BOOL)
{
    if (!rect)
        return E_POINTER;
    if (dialog)
        return E_UNEXPECTED;
    dialog = CreatePageDialog(parent);
    if (!dialog)
        return E_OUTOFMEMORY;
    RECT window = {};
    GetWindowRect(dialog, &window);
    size = {window.right - window.left, window.bottom - window.top};
    SetWindowPos(dialog, nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A page that cannot fill its controls still shows; Apply will tell.
    CallWithoutThrowing(E_FAIL, [this] { return DoDataExchange(false) ? S_OK : E_FAIL; });
    dirty = false;
    return S_OK;
}

STDMETHODIMP CPropertyPage::Deactivate()
{
    if (!dialog)
        return E_UNEXPECTED;
    DestroyWindow(dialog);
    dialog = nullptr;
    return S_OK;
}

SIZE CPropertyPage::PageSize()
{
    if (size.cx == 0 && size.cy == 0) {
        // The template's size in pixels depends on its font: measure a hidden instance.
        HWND measured = CreatePageDialog(GetDesktopWindow());
        if (measured) {
            RECT window = {};
            GetWindowRect(measured, &window);
            size = {window.right - window.left, window.bottom - window.top};
            DestroyWindow(measured);
        }
    }
    return size;
}

STDMETHODIMP CPropertyPage::GetPageInfo(PROPPAGEINFO* info)
{
    if (!info)
        return E_POINTER;
    return CallWithoutThrowing(E_OUTOFMEMORY, [&] { return FillPageInfo(*info); });
}

HRESULT CPropertyPage::FillPageInfo(PROPPAGEINFO& info)
{
    const wchar_t* caption = nullptr;
    int length = LoadStringW(resources, captionId, reinterpret_cast<LPWSTR>(&caption), 0);
    std::wstring title = length > 0 && caption ? std::wstring(caption, static_cast<size_t>(length)) : std::wstring();
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((title.size() + 1) * sizeof(wchar_t)));
    if (!copy)
        return E_OUTOFMEMORY;
    lstrcpyW(copy, title.c_str());
    info.cb = sizeof(PROPPAGEINFO);
    info.pszTitle = copy;
    info.size = PageSize();
    info.pszDocString = nullptr;
    info.pszHelpFile = nullptr;
    info.dwHelpContext = 0;
    return S_OK;
}

STDMETHODIMP CPropertyPage::SetObjects(ULONG count, IUnknown** newObjects)
{
    if (count > 0 && !newObjects)
        return E_POINTER;
    try {
        std::vector<Microsoft::WRL::ComPtr<IUnknown>> kept(newObjects, newObjects + count);
        objects.swap(kept);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CPropertyPage::Show(UINT command)
{
    if (!dialog)
        return E_UNEXPECTED;
    ShowWindow(dialog, static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP CPropertyPage::Move(LPCRECT rect)
{
    if (!rect)
        return E_POINTER;
    if (!dialog)
        return E_UNEXPECTED;
    MoveWindow(dialog, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CPropertyPage::IsPageDirty()
{
    return dirty ? S_OK : S_FALSE;
}

STDMETHODIMP CPropertyPage::Apply()
{
    if (!dirty)
        return S_OK;
    if (FAILED(CallWithoutThrowing(E_FAIL, [this] { return DoDataExchange(true) ? S_OK : E_FAIL; })))
        return E_FAIL;
    SetDirty(false);
    return S_OK;
}

STDMETHODIMP CPropertyPage::Help(LPCOLESTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CPropertyPage::TranslateAccelerator(MSG* message)
{
    if (!message)
        return E_POINTER;
    return dialog && IsDialogMessageW(dialog, message) ? S_OK : S_FALSE;
}

STDMETHODIMP CPropertyPage::EditProperty(DISPID)
{
    return E_NOTIMPL;
}

bool CPropertyPage::DoDataExchange(bool)
{
    return true;
}

void CPropertyPage::SetDirty(bool isDirty)
{
    dirty = isDirty;
    if (isDirty && site)
        site->OnStatusChange(PROPPAGESTATUS_DIRTY);
}
