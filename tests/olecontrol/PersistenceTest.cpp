// The exchange routine drives every direction: the control's items first, then the framework's
// extent, stock mask and stock values, in that order; the modified flag follows puts.
#include <wrl/client.h>

#include "support/DispatchCalls.h"
#include "RecordingExchange.h"
#include "TestControlFixture.h"
#include "TestControlIds.h"

using Microsoft::WRL::ComPtr;

namespace {

class Persistence : public TestControlFixture
{
protected:
    CPersistentObject& Persistent() { return *control; }
};

const char savedOrder[] =
    "Bool XFlag, Long XSpeed, String XLabel, LongKept _ExtentX, LongKept _ExtentY, ULong _StockProps, "
    "Color BackColor, Short Appearance";

TEST_F(Persistence, SaveExchangesTheControlsItemsThenTheFrameworksInOrder)
{
    RecordingExchange save(CPropExchange::Direction::Save);
    Persistent().DoPropExchange(save);
    EXPECT_EQ(save.Order(), savedOrder);
    EXPECT_EQ(save.ValueOf("_StockProps"), "129");
    EXPECT_EQ(save.ValueOf("BackColor"), "0");
    EXPECT_EQ(save.ValueOf("Appearance"), "0");
    const SIZEL extent = control->GetExtent();
    EXPECT_EQ(save.ValueOf("_ExtentX"), std::to_string(extent.cx));
    EXPECT_EQ(save.ValueOf("_ExtentY"), std::to_string(extent.cy));
    EXPECT_GT(extent.cx, 0);
}

TEST_F(Persistence, SaveWritesTheCurrentValues)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(unknown.As(&dispatch), S_OK);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_BACKCOLOR, Variant(0x123456L)).hr, S_OK);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_APPEARANCE, Variant(1L)).hr, S_OK);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XSPEED, Variant(300L)).hr, S_OK);
    RecordingExchange save(CPropExchange::Direction::Save);
    Persistent().DoPropExchange(save);
    EXPECT_EQ(save.ValueOf("BackColor"), std::to_string(0x123456));
    EXPECT_EQ(save.ValueOf("Appearance"), "1");
    EXPECT_EQ(save.ValueOf("XSpeed"), "300");
}

TEST_F(Persistence, LoadStoresValuesDirectlyWithoutChangeHandlers)
{
    RecordingExchange load(CPropExchange::Direction::Load);
    load.stored = {{"XFlag", "1"},       {"XSpeed", "99"},        {"XLabel", "loaded"},
                   {"_ExtentX", "2000"}, {"_ExtentY", "1000"},    {"_StockProps", "129"},
                   {"BackColor", "255"}, {"Appearance", "1"}};
    Persistent().DoPropExchange(load);
    EXPECT_EQ(load.Order(), savedOrder);
    EXPECT_EQ(control->xFlag, TRUE);
    EXPECT_EQ(control->xSpeed, 99);
    EXPECT_EQ(control->xLabel, "loaded");
    EXPECT_EQ(control->GetExtent().cx, 2000);
    EXPECT_EQ(control->GetExtent().cy, 1000);
    EXPECT_EQ(control->GetBackColor(), 255u);
    EXPECT_EQ(control->GetAppearance(), 1);
    EXPECT_EQ(control->observed.flagChanges, 0);
    EXPECT_EQ(control->observed.speedChanges, 0);
    EXPECT_FALSE(control->IsModified());
}

TEST_F(Persistence, StoredMaskSelectsWhichStockValuesAreRead)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(unknown.As(&dispatch), S_OK);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_APPEARANCE, Variant(1L)).hr, S_OK);
    RecordingExchange load(CPropExchange::Direction::Load);
    load.stored = {{"_StockProps", "1"}, {"BackColor", "77"}, {"Appearance", "1"}};
    Persistent().DoPropExchange(load);
    EXPECT_EQ(load.ValueOf("Appearance"), "(absent)");
    EXPECT_EQ(control->GetBackColor(), 77u);
    EXPECT_EQ(control->GetAppearance(), 0) << "an item not stored takes its default";
}

TEST_F(Persistence, StoredMaskNamingUnknownStockPropertiesStopsTheExchange)
{
    RecordingExchange load(CPropExchange::Direction::Load);
    load.stored = {{"_StockProps", "0x85"}};
    Persistent().DoPropExchange(load);
    EXPECT_EQ(load.ValueOf("BackColor"), "(absent)");
    EXPECT_EQ(load.ValueOf("Appearance"), "(absent)");
}

TEST_F(Persistence, FailedItemEndsTheExchange)
{
    RecordingExchange load(CPropExchange::Direction::Load);
    load.failOn = "_ExtentY";
    Persistent().DoPropExchange(load);
    EXPECT_EQ(load.Order(), "Bool XFlag, Long XSpeed, String XLabel, LongKept _ExtentX, LongKept _ExtentY");
    RecordingExchange save(CPropExchange::Direction::Save);
    save.failOn = "XSpeed";
    Persistent().DoPropExchange(save);
    EXPECT_EQ(save.Order(), "Bool XFlag, Long XSpeed");
}

TEST_F(Persistence, ResetGivesDefaultsKeepsTheExtentAndClearsTheModifiedFlag)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(unknown.As(&dispatch), S_OK);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XSPEED, Variant(1L)).hr, S_OK);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_BACKCOLOR, Variant(0xFFL)).hr, S_OK);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_APPEARANCE, Variant(1L)).hr, S_OK);
    ComPtr<IOleObject> object;
    ASSERT_EQ(unknown.As(&object), S_OK);
    SIZEL extent = {4321, 1234};
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    ASSERT_TRUE(control->IsModified());

    std::string order;
    auto reset = std::make_unique<RecordingExchange>(CPropExchange::Direction::Reset);
    reset->orderWhenDone = &order;
    control->nextResetExchange = std::move(reset);
    Persistent().OnResetState();
    EXPECT_EQ(order, savedOrder);
    EXPECT_EQ(control->xSpeed, 7);
    EXPECT_EQ(control->GetBackColor(), 0u) << "no ambient colour here: black";
    EXPECT_EQ(control->GetAppearance(), 0);
    EXPECT_EQ(control->GetExtent().cx, 4321);
    EXPECT_EQ(control->GetExtent().cy, 1234);
    EXPECT_FALSE(control->IsModified());
    EXPECT_EQ(control->observed.speedChanges, 1) << "only the put ran the change handler";
}

TEST_F(Persistence, ModifiedFlagFollowsSetModifiedFlagAndPuts)
{
    EXPECT_FALSE(Persistent().IsModified());
    Persistent().SetModifiedFlag(true);
    EXPECT_TRUE(Persistent().IsModified());
    Persistent().SetModifiedFlag(false);
    EXPECT_FALSE(Persistent().IsModified());

    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(unknown.As(&dispatch), S_OK);
    // Reading and calling methods change nothing persistent.
    GetProperty(dispatch.Get(), DISPID_TEST_XFLAG);
    CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(1L), Variant(2L)});
    EXPECT_FALSE(Persistent().IsModified());
    // A put refused by the dispatch layer changes nothing either.
    EXPECT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XSPEED, Variant(L"fast")).hr, DISP_E_TYPEMISMATCH);
    EXPECT_FALSE(Persistent().IsModified());
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XLABEL, Variant(L"x")).hr, S_OK);
    EXPECT_TRUE(Persistent().IsModified());
}

TEST_F(Persistence, PersistentObjectNamesTheControlAndItsIdentity)
{
    EXPECT_EQ(Persistent().GetPersistClassId(), CLSID_TestControl);
    ComPtr<IUnknown> identity;
    ASSERT_EQ(unknown.As(&identity), S_OK);
    EXPECT_EQ(Persistent().GetControllingUnknown(), identity.Get());
}

}  // namespace
