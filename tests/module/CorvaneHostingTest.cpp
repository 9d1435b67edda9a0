// Corvane.OCX registered, its control created by ProgID in Wine's ATL container: every member of
// the type library answers its DISPID by name, the about box, and the properties verb's frame.
#include "RegisteredCorvane.h"

#include <commctrl.h>
#include <olectl.h>
#include <initguid.h>
#include <msstkppg.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "support/AtlHost.h"
#include "CorvaneIds.h"
#include "support/DispatchCalls.h"

using Microsoft::WRL::ComPtr;

namespace {

class CorvaneHosting : public RegisteredCorvane
{
protected:
    AtlHost host{400, 300};
    ComPtr<IUnknown> control;
    ComPtr<IDispatch> dispatch;

    void SetUp() override
    {
        RegisteredCorvane::SetUp();
        std::string why;
        ASSERT_TRUE(host.Load(why)) << why;
        ASSERT_EQ(host.Create(kCorvaneProgId, &control), S_OK);
        ASSERT_EQ(control.As(&dispatch), S_OK);
    }
};

std::wstring Name(ITypeInfo* info, MEMBERID id)
{
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    std::wstring text(name ? name : L"");
    SysFreeString(name);
    return text;
}

TEST_F(CorvaneHosting, EveryMemberOfTheTypeLibraryAnswersItsDispidByName)
{
    ComPtr<ITypeInfo> typeInfo;
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0x409, &typeInfo), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(typeInfo->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, DIID__DCorvane));
    const UINT functions = attributes->cFuncs, properties = attributes->cVars;
    typeInfo->ReleaseTypeAttr(attributes);
    std::vector<MEMBERID> members;
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(typeInfo->GetFuncDesc(i, &function), S_OK);
        members.push_back(function->memid);
        typeInfo->ReleaseFuncDesc(function);
    }
    for (UINT i = 0; i < properties; ++i) {
        VARDESC* property = nullptr;
        ASSERT_EQ(typeInfo->GetVarDesc(i, &property), S_OK);
        members.push_back(property->memid);
        typeInfo->ReleaseVarDesc(property);
    }
    ASSERT_EQ(members.size(), 46u);
    for (MEMBERID id : members) {
        const std::wstring name = Name(typeInfo.Get(), id);
        HRESULT hr = E_FAIL;
        EXPECT_EQ(DispidOf(dispatch.Get(), name.c_str(), &hr), id) << std::string(name.begin(), name.end());
        EXPECT_EQ(hr, S_OK);
    }
    EXPECT_EQ(DispidOf(dispatch.Get(), L"xeffectspeed"), 5);
    HRESULT unknown = S_OK;
    DispidOf(dispatch.Get(), L"NoSuchMember", &unknown);
    EXPECT_EQ(unknown, DISP_E_UNKNOWNNAME);
}

// Presses a button of the thread's visible dialog whose caption is `caption`, or collects the tab
// texts of its property frame.
struct DialogWatch
{
    const char* caption = nullptr;
    bool seen = false;
    std::vector<std::string> tabs;
};
DialogWatch watch;

BOOL CALLBACK CollectTabs(HWND child, LPARAM)
{
    char className[32] = {};
    GetClassNameA(child, className, sizeof(className));
    if (strcmp(className, WC_TABCONTROLA) != 0)
        return TRUE;
    const int count = static_cast<int>(SendMessageA(child, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(child, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        watch.tabs.push_back(text);
    }
    return FALSE;
}

BOOL CALLBACK CloseWatchedDialog(HWND window, LPARAM)
{
    char className[16] = {}, caption[128] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, caption, sizeof(caption));
    if (strcmp(className, "#32770") != 0 || !IsWindowVisible(window) || watch.seen)
        return TRUE;
    if (watch.caption && strcmp(caption, watch.caption) != 0)
        return TRUE;
    watch.seen = true;
    if (watch.caption) {
        // The user presses OK.
        PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    } else {
        EnumChildWindows(window, CollectTabs, 0);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return FALSE;
}

void CALLBACK WatchTick(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseWatchedDialog, 0);
}

TEST_F(CorvaneHosting, AboutBoxShowsItsDialogAndReturnsWhenOkIsPressed)
{
    watch = {};
    watch.caption = "About Quendra Corvane ActiveX Control";
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchTick);
    const InvokeOutcome about = CallMethod(dispatch.Get(), DISPID_ABOUTBOX, {});
    KillTimer(nullptr, timer);
    EXPECT_EQ(about.hr, S_OK);
    EXPECT_TRUE(watch.seen);
}

// Wine provides no standard colour page; a frame leaves out pages it cannot create.
bool ColourPageProvided()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{7EBDAAE1-8120-11CF-899F-00AA00688B10}\\InprocServer32", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST_F(CorvaneHosting, PropertiesVerbOpensAFrameWithBothPages)
{
    ComPtr<ISpecifyPropertyPages> specify;
    ASSERT_EQ(control.As(&specify), S_OK);
    CAUUID pages = {};
    ASSERT_EQ(specify->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 2u);
    EXPECT_TRUE(IsEqualGUID(pages.pElems[0], CLSID_CorvanePropPage));
    EXPECT_TRUE(IsEqualGUID(pages.pElems[1], CLSID_StockColorPage));
    CoTaskMemFree(pages.pElems);

    ComPtr<IOleObject> object;
    ASSERT_EQ(control.As(&object), S_OK);
    watch = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchTick);
    const HRESULT hr = object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, host.Window(), nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(hr, S_OK);
    EXPECT_TRUE(watch.seen);
    ASSERT_EQ(watch.tabs.size(), ColourPageProvided() ? 2u : 1u);
    EXPECT_EQ(watch.tabs[0], "General");
}

} // namespace
