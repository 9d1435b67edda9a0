// Base of a property page over a dialog resource: the frame activates it as a child of its
// own window, hands it the objects to edit and asks it to apply. A page class derives from it,
// overrides DoDataExchange and holds a CModuleObjectToken for its module.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <vector>

class CPropertyPage : public IPropertyPage2
{
public:
    // `resources` holds dialog `dialogId` (a child dialog without caption) and string
    // `captionId`, the page's title in the frame.
    CPropertyPage(HINSTANCE resources, UINT dialogId, UINT captionId);
    virtual ~CPropertyPage();
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpFolder) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;
    STDMETHODIMP EditProperty(DISPID dispid) override;

    HWND DialogWindow() const { return dialog; }

protected:
    // Moves values between the dialog's controls and the objects: `toObjects` true on Apply,
    // false when the page is activated. False refuses the exchange.
    virtual bool DoDataExchange(bool toObjects);
    // Marks the page changed (or clean) and tells the frame.
    void SetDirty(bool isDirty);
    const std::vector<Microsoft::WRL::ComPtr<IUnknown>>& Objects() const { return objects; }

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreatePageDialog(HWND parent);
    SIZE PageSize();
    HRESULT FillPageInfo(PROPPAGEINFO& info);

    HINSTANCE resources;
    UINT dialogId;
    UINT captionId;
    volatile LONG references = 1;
    Microsoft::WRL::ComPtr<IPropertyPageSite> site;
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> objects;
    HWND dialog = nullptr;
    SIZE size = {};
    bool dirty = false;
};
