// The test control hosted for real in Wine's ATL container: activated in place, its window
// created with the class it chose, sized by the container, painted through OnDraw.
#include "HostedControl.h"

#include <ocidl.h>

#include "support/DispatchCalls.h"
#include "TestControlIds.h"

using Microsoft::WRL::ComPtr;

namespace {

class Hosting : public HostedControl
{
protected:
    // The control's window and the last size its OnSize heard are the container's client area.
    void ExpectTheControlFillsTheContainer()
    {
        const RECT container = ClientOf(host->Window());
        const RECT own = ClientOf(ControlWindow());
        EXPECT_EQ(own.right, container.right);
        EXPECT_EQ(own.bottom, container.bottom);
        ASSERT_FALSE(control->observed.sizes.empty());
        EXPECT_EQ(control->observed.sizes.back().cx, container.right);
        EXPECT_EQ(control->observed.sizes.back().cy, container.bottom);
    }
};

TEST_F(Hosting, InPlaceWindowHasTheChosenClassAndFillsTheContainer)
{
    char className[64] = {};
    GetClassNameA(ControlWindow(), className, sizeof(className));
    EXPECT_STREQ(className, "Static");
    EXPECT_EQ(GetParent(ControlWindow()), host->Window());
    EXPECT_TRUE(IsWindowVisible(ControlWindow()));

    ExpectTheControlFillsTheContainer();

    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(unknown.As(&inPlace), S_OK);
    HWND reported = nullptr;
    ASSERT_EQ(inPlace->GetWindow(&reported), S_OK);
    EXPECT_EQ(reported, ControlWindow());
}

TEST_F(Hosting, ContainerResizeReachesOnSizeAndTheExtent)
{
    ComPtr<IOleObject> object;
    ASSERT_EQ(unknown.As(&object), S_OK);
    SIZEL before = {};
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &before), S_OK);

    SetWindowPos(host->Window(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    ExpectTheControlFillsTheContainer();

    // Wine's container converts pixels with its own factor: only check that the extent it
    // gave was taken, larger in both directions.
    SIZEL after = {};
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &after), S_OK);
    EXPECT_GT(after.cx, before.cx);
    EXPECT_GT(after.cy, before.cy);
}

TEST_F(Hosting, ExtentIsKeptInHimetricAsTheContainerGivesIt)
{
    ComPtr<IOleObject> object;
    ASSERT_EQ(unknown.As(&object), S_OK);
    SIZEL given = {1234, 567};
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &given), S_OK);
    SIZEL read = {};
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &read), S_OK);
    EXPECT_EQ(read.cx, 1234);
    EXPECT_EQ(read.cy, 567);
    EXPECT_EQ(object->SetExtent(DVASPECT_ICON, &given), DV_E_DVASPECT);
    SIZEL negative = {-1, 10};
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &negative), E_INVALIDARG);
    ComPtr<IViewObject2> view;
    ASSERT_EQ(unknown.As(&view), S_OK);
    ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &read), S_OK);
    EXPECT_EQ(read.cx, 1234);
}

TEST_F(Hosting, PaintingGoesThroughOnDrawWithTheClientBounds)
{
    const int drawsBefore = control->observed.draws;
    RedrawWindow(ControlWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(control->observed.draws, drawsBefore);
    const RECT client = ClientOf(ControlWindow());
    EXPECT_TRUE(EqualRect(&control->observed.lastDrawBounds, &client));

    HDC dc = GetDC(ControlWindow());
    const COLORREF pixel = GetPixel(dc, client.right / 2, client.bottom / 2);
    ReleaseDC(ControlWindow(), dc);
    EXPECT_EQ(pixel, CTestControl::paintColor);
}

TEST_F(Hosting, ViewObjectDrawsIntoTheContainersDeviceContextWithItsBounds)
{
    ComPtr<IViewObject2> view;
    ASSERT_EQ(unknown.As(&view), S_OK);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT white = {0, 0, 40, 30};
    FillRect(memory, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    const RECTL bounds = {10, 5, 30, 25};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(control->observed.lastDrawBounds.left, 10);
    EXPECT_EQ(control->observed.lastDrawBounds.bottom, 25);
    EXPECT_EQ(GetPixel(memory, 20, 15), CTestControl::paintColor);
    EXPECT_EQ(GetPixel(memory, 2, 2), RGB(255, 255, 255)) << "drew outside the bounds";
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr, nullptr, 0),
              DV_E_DVASPECT);

    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(Hosting, DispatchIsReachableThroughTheContainer)
{
    ComPtr<IUnknown> fromHost;
    ASSERT_EQ(host->GetControl(&fromHost), S_OK);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(fromHost.As(&dispatch), S_OK);
    const DISPID add = DispidOf(dispatch.Get(), L"add");
    ASSERT_EQ(add, DISPID_TEST_ADD);
    const InvokeOutcome outcome = CallMethod(dispatch.Get(), add, {Variant(20L), Variant(22L)});
    ASSERT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(outcome.result.value.lVal, 42);
}

TEST_F(Hosting, WindowMessagesReachTheControlsHandlers)
{
    SendMessageA(ControlWindow(), WM_COMMAND, MAKEWPARAM(1003, 0), 0);
    ASSERT_EQ(control->observed.commands.size(), 1u);
    EXPECT_EQ(LOWORD(control->observed.commands[0]), 1003);

    ASSERT_NE(SetTimer(ControlWindow(), 55, 10, nullptr), 0u);
    // Waits for the tick itself, however long it takes; the bound only stops a hang.
    for (int i = 0; i < 500 && control->observed.timers.empty(); ++i) {
        Pump();
        Sleep(10);
    }
    ASSERT_FALSE(control->observed.timers.empty());
    EXPECT_EQ(control->observed.timers[0], 55u);
}

TEST_F(Hosting, SiteIsHandedOutWithAReferenceOfItsOwn)
{
    ComPtr<IOleObject> object;
    ASSERT_EQ(unknown.As(&object), S_OK);
    ComPtr<IOleClientSite> first, second;
    ASSERT_EQ(object->GetClientSite(&first), S_OK);
    ASSERT_EQ(object->GetClientSite(&second), S_OK);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.Get(), second.Get());
    first.Reset();
    second.Reset();
    // The container's own site still answers after the host's releases.
    ComPtr<IOleClientSite> again;
    ASSERT_EQ(object->GetClientSite(&again), S_OK);
    ComPtr<IOleInPlaceSite> inPlaceSite;
    EXPECT_EQ(again.As(&inPlaceSite), S_OK);
}

TEST_F(Hosting, VerbsActivateTheUserInterfaceHideAndShowAgain)
{
    ComPtr<IOleObject> object;
    ASSERT_EQ(unknown.As(&object), S_OK);
    ComPtr<IOleClientSite> site;
    ASSERT_EQ(object->GetClientSite(&site), S_OK);
    RECT position = ClientOf(host->Window());

    ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.Get(), 0, host->Window(), &position), S_OK);
    EXPECT_TRUE(control->IsUIActive());
    EXPECT_EQ(GetFocus(), ControlWindow());

    ASSERT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, site.Get(), 0, host->Window(), &position), S_OK);
    EXPECT_FALSE(control->IsUIActive());
    EXPECT_FALSE(IsWindowVisible(ControlWindow()));

    ASSERT_EQ(object->DoVerb(OLEIVERB_SHOW, nullptr, site.Get(), 0, host->Window(), &position), S_OK);
    EXPECT_TRUE(IsWindowVisible(ControlWindow()));
    EXPECT_TRUE(control->IsUIActive());

    EXPECT_EQ(object->DoVerb(OLEIVERB_OPEN, nullptr, site.Get(), 0, host->Window(), &position), E_NOTIMPL);
    // No property pages: the properties verb has nothing to show.
    EXPECT_EQ(object->DoVerb(OLEIVERB_PROPERTIES, nullptr, site.Get(), 0, host->Window(), &position), E_NOTIMPL);

    DWORD status = 0;
    ASSERT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 0x20191u);
}

TEST_F(Hosting, InPlaceDeactivationEndsTheWindowAndTheContainerCanActivateAgain)
{
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(unknown.As(&inPlace), S_OK);
    HWND first = ControlWindow();
    ASSERT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(control->IsInPlaceActive());
    HWND none = reinterpret_cast<HWND>(1);
    EXPECT_EQ(inPlace->GetWindow(&none), E_FAIL);

    ComPtr<IOleObject> object;
    ASSERT_EQ(unknown.As(&object), S_OK);
    RECT position = ClientOf(host->Window());
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, host->Window(), &position), S_OK);
    EXPECT_TRUE(IsWindow(ControlWindow()));
}

TEST_F(Hosting, ClosingTheContainerDeactivatesAndReleasesTheControl)
{
    HWND window = ControlWindow();
    host->Destroy();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(control->IsInPlaceActive());
    EXPECT_EQ(control->GetClientSite(), nullptr);
    // Only the test's own reference is left.
    EXPECT_EQ(unknown.Reset(), 0u);
}

TEST_F(Hosting, PropertyPagesListTheControlsPages)
{
    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(unknown.As(&pages), S_OK);
    CAUUID list = {};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    EXPECT_EQ(list.cElems, 0u);
    control->pages = {CLSID_CColorPropPage, CLSID_CFontPropPage};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 2u);
    EXPECT_EQ(list.pElems[0], CLSID_CColorPropPage);
    EXPECT_EQ(list.pElems[1], CLSID_CFontPropPage);
    CoTaskMemFree(list.pElems);
}

}  // namespace
