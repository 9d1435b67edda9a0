// A property page of the test's own, served from a class object registered for this process,
// so that a real property frame can be opened on the control and closed again.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <vector>

// {5c7b0f0e-2f43-4d57-9a8e-3b1f6f0c9a21}
inline constexpr CLSID CLSID_FakePropertyPage = {0x5c7b0f0e, 0x2f43, 0x4d57, {0x9a, 0x8e, 0x3b, 0x1f, 0x6f, 0x0c, 0x9a, 0x21}};

class FakePropertyPage final : public IPropertyPage, public IClassFactory
{
public:
    // The objects the frame gave the page, each held while the page has them.
    std::vector<IUnknown*> objectsSeen;
    int activations = 0;

    // Registers the class object under CLSID_FakePropertyPage while this object lives.
    FakePropertyPage();
    ~FakePropertyPage();
    FakePropertyPage(const FakePropertyPage&) = delete;
    FakePropertyPage& operator=(const FakePropertyPage&) = delete;
    bool Registered() const { return cookie != 0; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT area, BOOL) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Move(LPCRECT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsPageDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Apply() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    DWORD cookie = 0;
    HWND pageWindow = nullptr;
};
