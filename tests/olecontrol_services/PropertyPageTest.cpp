// The property page base over a dialog of this test program, activated in a real window.
#include "support/OleTest.h"
#include "PropertyPage.h"
#include "TestPersistentControl.h"
#include "TestResourceIds.h"
#include "support/TestWindow.h"

#include <olectl.h>

#include <new>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

class CRecordingPage final : public CPropertyPage
{
public:
    CRecordingPage() : CPropertyPage(GetModuleHandleW(nullptr), IDD_TEST_PAGE, IDS_TEST_PAGE_CAPTION) {}
    std::vector<bool> exchanges;
    bool refuseApply = false;
    using CPropertyPage::Objects;
    using CPropertyPage::SetDirty;

protected:
    bool DoDataExchange(bool toObjects) override
    {
        exchanges.push_back(toObjects);
        return !(toObjects && refuseApply);
    }
};

class CRecordingSite final : public IPropertyPageSite
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IPropertyPageSite) {
            *object = static_cast<IPropertyPageSite*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP OnStatusChange(DWORD flags) override
    {
        statusChanges.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* locale) override
    {
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override
    {
        *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
    std::vector<DWORD> statusChanges;
};

class PropertyPage : public OleTest
{
protected:
    void SetUp() override
    {
        OleTest::SetUp();
        page = new (std::nothrow) CRecordingPage();
        ASSERT_NE(nullptr, page);
        ASSERT_EQ(S_OK, page->SetPageSite(&site));
    }
    void TearDown() override
    {
        page->SetPageSite(nullptr);
        page->Release();
        OleTest::TearDown();
    }
    CRecordingPage* page = nullptr;
    CRecordingSite site;
};

TEST_F(PropertyPage, PageInfoGivesCaptionAndDialogSize)
{
    PROPPAGEINFO info = {};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_EQ(sizeof(PROPPAGEINFO), info.cb);
    EXPECT_STREQ(L"General", info.pszTitle);
    // 250 x 62 dialog units in pixels of the dialog's font.
    RECT units = {0, 0, 250, 62};
    TestWindow window(400, 300);
    ASSERT_EQ(S_OK, page->Activate(window.Handle(), &units, TRUE));
    MapDialogRect(page->DialogWindow(), &units);
    EXPECT_EQ(units.right, info.size.cx);
    EXPECT_EQ(units.bottom, info.size.cy);
    EXPECT_GT(info.size.cx, 250);
    page->Deactivate();
    CoTaskMemFree(info.pszTitle);
}

TEST_F(PropertyPage, ActivateCreatesAChildDialogInTheFramesWindow)
{
    TestWindow window(400, 300);
    RECT rect = {10, 20, 310, 140};
    ASSERT_EQ(S_OK, page->Activate(window.Handle(), &rect, TRUE));
    HWND dialog = page->DialogWindow();
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(window.Handle(), GetParent(dialog));
    EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD);
    RECT placed = {};
    GetWindowRect(dialog, &placed);
    MapWindowPoints(HWND_DESKTOP, window.Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(10, placed.left);
    EXPECT_EQ(20, placed.top);
    EXPECT_EQ(300, placed.right - placed.left);
    EXPECT_EQ(120, placed.bottom - placed.top);
    EXPECT_NE(nullptr, GetDlgItem(dialog, IDC_TEST_EDIT));
    EXPECT_EQ(std::vector<bool>{false}, page->exchanges);
    EXPECT_EQ(E_UNEXPECTED, page->Activate(window.Handle(), &rect, TRUE));

    ASSERT_EQ(S_OK, page->Show(SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(dialog));
    RECT moved = {0, 0, 200, 100};
    ASSERT_EQ(S_OK, page->Move(&moved));
    GetClientRect(dialog, &placed);
    EXPECT_EQ(200, placed.right);
    EXPECT_EQ(100, placed.bottom);

    ASSERT_EQ(S_OK, page->Deactivate());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(nullptr, page->DialogWindow());
    EXPECT_EQ(E_UNEXPECTED, page->Deactivate());
    EXPECT_EQ(E_UNEXPECTED, page->Show(SW_SHOW));
}

TEST_F(PropertyPage, EditingMakesTheFrameSeeADirtyPageAndApplyExchanges)
{
    TestWindow window(400, 300);
    RECT rect = {0, 0, 300, 120};
    ASSERT_EQ(S_OK, page->Activate(window.Handle(), &rect, TRUE));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(std::vector<bool>{false}, page->exchanges);

    SetDlgItemTextW(page->DialogWindow(), IDC_TEST_EDIT, L"changed");
    EXPECT_EQ(S_OK, page->IsPageDirty());
    ASSERT_FALSE(site.statusChanges.empty());
    EXPECT_TRUE(site.statusChanges.back() & PROPPAGESTATUS_DIRTY);

    page->refuseApply = true;
    EXPECT_EQ(E_FAIL, page->Apply());
    EXPECT_EQ(S_OK, page->IsPageDirty());
    page->refuseApply = false;
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ((std::vector<bool>{false, true, true}), page->exchanges);
    page->Deactivate();
}

TEST_F(PropertyPage, SetObjectsKeepsReferencesUntilReplaced)
{
    CTestPersistentControl first;
    CTestPersistentControl second;
    IUnknown* objects[] = {&first, &second};
    ASSERT_EQ(S_OK, page->SetObjects(2, objects));
    EXPECT_EQ(2u, page->Objects().size());
    EXPECT_EQ(2, first.references);
    ASSERT_EQ(S_OK, page->SetObjects(0, nullptr));
    EXPECT_TRUE(page->Objects().empty());
    EXPECT_EQ(1, first.references);
    EXPECT_EQ(1, second.references);
    EXPECT_EQ(E_POINTER, page->SetObjects(1, nullptr));
}

TEST_F(PropertyPage, AnswersItsInterfacesAndASecondSiteIsRefused)
{
    ComPtr<IPropertyPage2> second;
    EXPECT_EQ(S_OK, page->QueryInterface(IID_PPV_ARGS(&second)));
    ComPtr<IPersist> notOffered;
    EXPECT_EQ(E_NOINTERFACE, page->QueryInterface(IID_PPV_ARGS(&notOffered)));
    CRecordingSite other;
    EXPECT_EQ(E_UNEXPECTED, page->SetPageSite(&other));
    EXPECT_EQ(E_NOTIMPL, page->EditProperty(1));
}

} // namespace
