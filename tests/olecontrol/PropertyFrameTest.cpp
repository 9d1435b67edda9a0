// The properties verb opens a real, modal property frame on the control with its pages; a
// timer of the test closes the frame again once it shows.
#include "support/OleTest.h"

#include <wrl/client.h>

#include "FakePropertyPage.h"
#include "TestControl.h"

using Microsoft::WRL::ComPtr;

namespace {

bool frameSeen = false;

BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
        frameSeen = true;
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

void CALLBACK CloseFrameTick(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
}

class PropertyFrame : public OleTest
{
};

TEST_F(PropertyFrame, PropertiesVerbShowsTheControlsPagesOnTheControl)
{
    FakePropertyPage page;
    ASSERT_TRUE(page.Registered());
    CTestControl* control = nullptr;
    ComPtr<IUnknown> unknown = MakeTestControl(&control);
    control->pages = {CLSID_FakePropertyPage};
    ComPtr<IOleObject> object;
    ASSERT_EQ(unknown.As(&object), S_OK);

    frameSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseFrameTick);
    ASSERT_NE(timer, 0u);
    const HRESULT hr = object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, nullptr, nullptr);
    KillTimer(nullptr, timer);

    EXPECT_EQ(hr, S_OK);
    EXPECT_TRUE(frameSeen);
    EXPECT_GE(page.activations, 1);
    ASSERT_FALSE(page.objectsSeen.empty());
    ComPtr<IUnknown> identity;
    ASSERT_EQ(page.objectsSeen[0]->QueryInterface(IID_PPV_ARGS(&identity)), S_OK);
    EXPECT_EQ(identity.Get(), unknown.Get()) << "the frame was opened on another object";
}

}  // namespace
