// The control against a site of the test's own: the activation protocol in order, placement and
// clipping, Close, advise sinks, ambient properties and the container's property frame.
#include <wrl/client.h>

#include "Himetric.h"
#include "RecordingExchange.h"
#include "RecordingSite.h"
#include "TestControlFixture.h"

using Microsoft::WRL::ComPtr;

namespace {

class Site : public TestControlFixture
{
protected:
    RecordingSite site;
    ComPtr<IOleObject> object;

    void SetUp() override
    {
        TestControlFixture::SetUp();
        ASSERT_NE(site.Window(), nullptr) << "no display?";
        ASSERT_EQ(unknown.As(&object), S_OK);
        ASSERT_EQ(object->SetClientSite(&site), S_OK);
    }
    void TearDown() override
    {
        if (object) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
        }
        object.Reset();
        unknown.Reset();
        EXPECT_EQ(site.References(), 0) << "the control kept a reference on its site";
        TestControlFixture::TearDown();
    }
    HRESULT Verb(LONG verb) { return object->DoVerb(verb, nullptr, &site, 0, site.Window(), &site.position); }
    RECT PlacementInParent() const
    {
        RECT placed = {};
        GetWindowRect(control->GetControlWindow(), &placed);
        MapWindowPoints(nullptr, site.Window(), reinterpret_cast<POINT*>(&placed), 2);
        return placed;
    }
};

TEST_F(Site, InPlaceActivationFollowsTheProtocolAndPlacesTheWindow)
{
    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE), S_OK);
    EXPECT_EQ(site.Log(), "CanInPlaceActivate, OnInPlaceActivate, GetWindowContext");
    ASSERT_NE(control->GetControlWindow(), nullptr);
    EXPECT_EQ(GetParent(control->GetControlWindow()), site.Window());
    const RECT placed = PlacementInParent();
    EXPECT_TRUE(EqualRect(&placed, &site.position));
    EXPECT_FALSE(control->IsUIActive());

    site.log.clear();
    ASSERT_EQ(Verb(OLEIVERB_UIACTIVATE), S_OK);
    EXPECT_EQ(site.Log(), "OnUIActivate, OnFocus 1");

    site.log.clear();
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(unknown.As(&inPlace), S_OK);
    ASSERT_EQ(inPlace->UIDeactivate(), S_OK);
    EXPECT_EQ(site.Log(), "OnUIDeactivate");

    site.log.clear();
    HWND window = control->GetControlWindow();
    ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    // The window had the focus: its end tells the container the focus went.
    EXPECT_EQ(site.Log(), "OnFocus 0, OnInPlaceDeactivate");
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Site, RefusedActivationCreatesNoWindow)
{
    site.canActivate = S_FALSE;
    EXPECT_EQ(Verb(OLEIVERB_INPLACEACTIVATE), E_FAIL);
    EXPECT_EQ(site.Log(), "CanInPlaceActivate");
    EXPECT_EQ(control->GetControlWindow(), nullptr);
    EXPECT_FALSE(control->IsInPlaceActive());
}

TEST_F(Site, ObjectRectsMoveTheWindowAndClipIt)
{
    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE), S_OK);
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(unknown.As(&inPlace), S_OK);
    RECT moved = {30, 40, 130, 90};
    RECT clip = {30, 40, 80, 90};
    ASSERT_EQ(inPlace->SetObjectRects(&moved, &clip), S_OK);
    const RECT placed = PlacementInParent();
    EXPECT_TRUE(EqualRect(&placed, &moved));
    ASSERT_FALSE(control->observed.sizes.empty());
    EXPECT_EQ(control->observed.sizes.back().cx, 100);
    EXPECT_EQ(control->observed.sizes.back().cy, 50);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(control->GetControlWindow(), region), SIMPLEREGION);
    RECT box = {};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.right, 50) << "only the left half is visible";
    EXPECT_EQ(box.bottom, 50);

    ASSERT_EQ(inPlace->SetObjectRects(&moved, &moved), S_OK);
    EXPECT_EQ(GetWindowRgn(control->GetControlWindow(), region), ERROR) << "no clipping left";
    DeleteObject(region);
}

TEST_F(Site, CloseSavesThroughTheSiteOnlyWhenModifiedAndAsked)
{
    ASSERT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_EQ(site.Log(), "");
    control->SetModifiedFlag(true);
    ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(site.Log(), "");
    ASSERT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_EQ(site.Log(), "SaveObject");
}

TEST_F(Site, CloseTellsTheAdvisedSinksUntilTheyUnadvise)
{
    DWORD cookie = 0;
    ASSERT_EQ(object->Advise(&site, &cookie), S_OK);
    site.log.clear();
    ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(site.Log(), "OnClose");
    ASSERT_EQ(object->Unadvise(cookie), S_OK);
    site.log.clear();
    ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(site.Log(), "");
}

// Out of place the container draws the control: a repaint tells its view sink, a once-only sink
// is told once (here by the priming) and then let go.
TEST_F(Site, ViewChangesReachTheViewSinkAndAOnceOnlySinkIsLetGo)
{
    ComPtr<IViewObject2> view;
    ASSERT_EQ(unknown.As(&view), S_OK);
    site.log.clear();
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, &site), S_OK);
    control->InvalidateControl();
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, ADVF_PRIMEFIRST | ADVF_ONLYONCE, &site), S_OK);
    control->InvalidateControl();
    EXPECT_EQ(site.Log(), "OnViewChange, OnViewChange");
    ComPtr<IAdviseSink> held;
    DWORD aspects = 0;
    DWORD flags = 0;
    ASSERT_EQ(view->GetAdvise(&aspects, &flags, &held), S_OK);
    EXPECT_EQ(held, nullptr);
    EXPECT_EQ(flags, static_cast<DWORD>(ADVF_PRIMEFIRST | ADVF_ONLYONCE));
}

TEST_F(Site, AmbientPropertiesComeFromTheSiteAndAreTheResetDefaults)
{
    EXPECT_EQ(control->AmbientBackColor(), 0x00ABCDEFu);
    EXPECT_EQ(control->AmbientAppearance(), 1);
    EXPECT_FALSE(control->AmbientUserMode());
    control->nextResetExchange = std::make_unique<RecordingExchange>(CPropExchange::Direction::Reset);
    static_cast<CPersistentObject&>(*control).OnResetState();
    EXPECT_EQ(control->GetBackColor(), 0x00ABCDEFu);
    EXPECT_EQ(control->GetAppearance(), 1);
}

TEST_F(Site, WithoutAmbientPropertiesTheFrameworkFallsBack)
{
    site.offersAmbient = false;
    EXPECT_EQ(control->AmbientBackColor(), 0u);
    EXPECT_EQ(control->AmbientAppearance(), 0);
    EXPECT_TRUE(control->AmbientUserMode());
}

TEST_F(Site, AmbientChangeRepaintsTheControl)
{
    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE), S_OK);
    HWND window = control->GetControlWindow();
    UpdateWindow(window);
    RECT dirty = {};
    ASSERT_FALSE(GetUpdateRect(window, &dirty, FALSE));
    ComPtr<IOleControl> oleControl;
    ASSERT_EQ(unknown.As(&oleControl), S_OK);
    ASSERT_EQ(oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR), S_OK);
    EXPECT_TRUE(GetUpdateRect(window, &dirty, FALSE));

    CONTROLINFO info = {};
    info.cb = sizeof(info);
    ASSERT_EQ(oleControl->GetControlInfo(&info), S_OK);
    EXPECT_EQ(info.cAccel, 0);
}

TEST_F(Site, SizeChangesWhileInPlaceAreAskedOfTheContainer)
{
    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE), S_OK);
    site.log.clear();
    control->SetControlSize(100, 50);
    EXPECT_EQ(site.Log(), "OnPosRectChange 10 20 110 70");

    // A loaded extent that differs is a size change too.
    site.log.clear();
    const SIZEL wanted = PixelsToHimetric(SIZE{60, 30});
    RecordingExchange load(CPropExchange::Direction::Load);
    load.stored = {{"_ExtentX", std::to_string(wanted.cx)}, {"_ExtentY", std::to_string(wanted.cy)}};
    control->DoPropExchange(load);
    EXPECT_EQ(site.Log(), "OnPosRectChange 10 20 70 50");
}

TEST_F(Site, PropertiesVerbPrefersTheContainersFrame)
{
    control->pages = {CLSID_CColorPropPage};
    site.propertyFrameAnswer = S_OK;
    EXPECT_EQ(Verb(OLEIVERB_PROPERTIES), S_OK);
    EXPECT_EQ(site.Log(), "ShowPropertyFrame");
}

TEST_F(Site, RemovingTheSiteWhileInPlaceDeactivatesFirst)
{
    ASSERT_EQ(Verb(OLEIVERB_UIACTIVATE), S_OK);
    HWND window = control->GetControlWindow();
    site.log.clear();
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(site.Log(), "OnUIDeactivate, OnFocus 0, OnInPlaceDeactivate");
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
