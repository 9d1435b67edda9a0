// The registered test control created by ProgID in Wine's ATL container, as a form host does.
#include "RegisteredModule.h"

#include <ocidl.h>

#include "support/AtlHost.h"
#include "support/DispatchCalls.h"
#include "TestControlIds.h"
#include "TestControlProgId.h"

using Microsoft::WRL::ComPtr;

namespace {

class ModuleHosting : public RegisteredModule
{
};

TEST_F(ModuleHosting, CreatedByProgIdInPlaceSizedPaintedAndScriptable)
{
    AtlHost host(300, 200);
    std::string why;
    ASSERT_TRUE(host.Load(why)) << why;
    ComPtr<IUnknown> control;
    ASSERT_EQ(host.Create(kTestControlProgId, &control), S_OK);
    ASSERT_NE(control, nullptr);

    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(control.As(&inPlace), S_OK);
    HWND window = nullptr;
    ASSERT_EQ(inPlace->GetWindow(&window), S_OK);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    EXPECT_STREQ(className, "Static");
    EXPECT_EQ(GetParent(window), host.Window());
    EXPECT_TRUE(IsWindowVisible(window));
    const RECT container = ClientOf(host.Window());
    const RECT own = ClientOf(window);
    EXPECT_EQ(own.right, container.right);
    EXPECT_EQ(own.bottom, container.bottom);

    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, own.right / 2, own.bottom / 2);
    ReleaseDC(window, dc);
    EXPECT_EQ(pixel, RGB(0x20, 0x90, 0x40)) << "the test control's OnDraw colour";

    ComPtr<IUnknown> fromHost;
    ASSERT_EQ(host.GetControl(&fromHost), S_OK);
    ComPtr<IUnknown> identity;
    ASSERT_EQ(control.As(&identity), S_OK);
    EXPECT_EQ(fromHost.Get(), identity.Get());
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(fromHost.As(&dispatch), S_OK);
    EXPECT_EQ(DispidOf(dispatch.Get(), L"xspeed"), DISPID_TEST_XSPEED);
    const InvokeOutcome speed = GetProperty(dispatch.Get(), DISPID_TEST_XSPEED);
    ASSERT_EQ(speed.hr, S_OK);
    EXPECT_EQ(speed.result.value.vt, VT_I4);
    EXPECT_EQ(speed.result.value.lVal, 7);
    const InvokeOutcome sum = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(L"1"), Variant(2L)});
    ASSERT_EQ(sum.hr, S_OK);
    EXPECT_EQ(sum.result.value.lVal, 3);

    // The type information comes from the module's own library resource.
    ComPtr<IProvideClassInfo> classInfo;
    ASSERT_EQ(control.As(&classInfo), S_OK);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(classInfo->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, CLSID_TestControl));
    coclass->ReleaseTypeAttr(attributes);
}

} // namespace
