// The property-bag form: typed values by name, defaults for missing names, conversion of
// values a bag holds in another type, and the failure rule.
#include "MemoryPropertyBag.h"
#include "OleTestFixture.h"
#include "TestPersistentControl.h"

#include <olectl.h>

using Microsoft::WRL::ComPtr;

namespace {

class PropertyBagPersistence : public OleTest
{
protected:
    ComPtr<IPersistPropertyBag> Persist(CTestPersistentControl& target)
    {
        ComPtr<IPersistPropertyBag> persist;
        EXPECT_EQ(S_OK, target.QueryInterface(IID_PPV_ARGS(&persist)));
        return persist;
    }
    CTestPersistentControl control;
    CMemoryPropertyBag bag;
};

TEST_F(PropertyBagPersistence, SaveWritesTypedValuesByNameInOrder)
{
    Persist(control)->InitNew();
    ASSERT_EQ(S_OK, Persist(control)->Save(&bag, TRUE, TRUE));
    const std::vector<std::wstring> expectedNames = {L"_Version", L"Picture", L"Loop", L"Mute",
                                                     L"Speed", L"_ExtentX", L"_ExtentY", L"Mask",
                                                     L"BackColor", L"Caption", L"Appearance"};
    EXPECT_EQ(expectedNames, bag.WrittenNames());
    EXPECT_EQ(VT_UI4, V_VT(&bag.Value(L"_Version")));
    EXPECT_EQ(0x00010000u, V_UI4(&bag.Value(L"_Version")));
    EXPECT_EQ(VT_UNKNOWN, V_VT(&bag.Value(L"Picture")));
    EXPECT_EQ(VT_BOOL, V_VT(&bag.Value(L"Loop")));
    EXPECT_EQ(VARIANT_FALSE, V_BOOL(&bag.Value(L"Loop")));
    EXPECT_EQ(VT_I4, V_VT(&bag.Value(L"Speed")));
    EXPECT_EQ(125, V_I4(&bag.Value(L"Speed")));
    EXPECT_EQ(VT_I4, V_VT(&bag.Value(L"_ExtentX")));
    EXPECT_EQ(VT_UI4, V_VT(&bag.Value(L"Mask")));
    EXPECT_EQ(0x81u, V_UI4(&bag.Value(L"Mask")));
    EXPECT_EQ(VT_UI4, V_VT(&bag.Value(L"BackColor")));
    EXPECT_EQ(VT_BSTR, V_VT(&bag.Value(L"Caption")));
    EXPECT_STREQ(L"Caption", V_BSTR(&bag.Value(L"Caption")));
    EXPECT_EQ(VT_I2, V_VT(&bag.Value(L"Appearance")));
    EXPECT_EQ(1, V_I2(&bag.Value(L"Appearance")));
}

TEST_F(PropertyBagPersistence, DefaultPictureIsNotWritten)
{
    FillWithNonDefaults(control);
    ASSERT_EQ(S_OK, Persist(control)->Save(&bag, TRUE, TRUE));
    EXPECT_FALSE(bag.Has(L"Picture"));
    EXPECT_TRUE(bag.Has(L"Caption"));
}

TEST_F(PropertyBagPersistence, RoundTripRestoresEveryItem)
{
    FillWithNonDefaults(control);
    control.picture = CreateEmptyPicture();
    ASSERT_EQ(S_OK, Persist(control)->Save(&bag, TRUE, FALSE));

    CTestPersistentControl loaded;
    loaded.modified = true;
    ASSERT_EQ(S_OK, Persist(loaded)->Load(&bag, nullptr));
    EXPECT_EQ(TRUE, loaded.loop);
    EXPECT_EQ(-40000, loaded.speed);
    EXPECT_EQ(9999, loaded.extentX);
    EXPECT_EQ(-3, loaded.extentY);
    EXPECT_EQ(0xFFFFFFFEu, loaded.mask);
    EXPECT_EQ(0x00123456u, loaded.backColor);
    EXPECT_EQ("Layer \xe9t\xe9 two", loaded.caption);
    EXPECT_EQ(-2, loaded.appearance);
    EXPECT_TRUE(loaded.picture);
    EXPECT_FALSE(loaded.modified);
    EXPECT_EQ(1, loaded.loadedNotifications);
}

TEST_F(PropertyBagPersistence, MissingNamesGiveDefaults)
{
    FillWithNonDefaults(control);
    control.picture = CreateEmptyPicture();
    VARIANT speed;
    V_VT(&speed) = VT_I4;
    V_I4(&speed) = 77;
    bag.Put(L"Speed", speed);
    ASSERT_EQ(S_OK, Persist(control)->Load(&bag, nullptr));
    EXPECT_EQ(77, control.speed);
    EXPECT_EQ(kTestDataVersion, control.loadedVersion);
    EXPECT_FALSE(control.loop);
    EXPECT_EQ(kDefaultMask, control.mask);
    EXPECT_EQ(kDefaultColor, control.backColor);
    EXPECT_EQ(kDefaultCaption, control.caption);
    EXPECT_EQ(kDefaultAppearance, control.appearance);
    EXPECT_FALSE(control.picture);
    // No stored extent: the control keeps its own.
    EXPECT_EQ(9999, control.extentX);
    EXPECT_EQ(0, control.resetCount);
}

TEST_F(PropertyBagPersistence, ValuesHeldInOtherTypesAreConverted)
{
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(L"-12");
    bag.Put(L"Speed", value);
    VariantClear(&value);
    V_VT(&value) = VT_I4;
    V_I4(&value) = static_cast<LONG>(0x8000000F);  // a system colour kept as a signed value
    bag.Put(L"BackColor", value);
    V_I4(&value) = 1;
    bag.Put(L"Loop", value);
    V_VT(&value) = VT_I4;
    V_I4(&value) = 42;
    bag.Put(L"Caption", value);

    ASSERT_EQ(S_OK, Persist(control)->Load(&bag, nullptr));
    EXPECT_EQ(-12, control.speed);
    EXPECT_EQ(0x8000000Fu, control.backColor);
    EXPECT_EQ(TRUE, control.loop);
    EXPECT_EQ("42", control.caption);
}

TEST_F(PropertyBagPersistence, PictureMayComeAsDispatch)
{
    ComPtr<IUnknown> picture = CreateEmptyPicture();
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, picture.As(&dispatch));
    VARIANT value;
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = dispatch.Get();
    bag.Put(L"Picture", value);
    ASSERT_EQ(S_OK, Persist(control)->Load(&bag, nullptr));
    ComPtr<IPicture> loaded;
    ASSERT_TRUE(control.picture);
    EXPECT_EQ(S_OK, control.picture.As(&loaded));
}

TEST_F(PropertyBagPersistence, UnconvertibleValueFailsAndResets)
{
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(L"fast");
    bag.Put(L"Speed", value);
    VariantClear(&value);
    V_VT(&value) = VT_BOOL;
    V_BOOL(&value) = VARIANT_TRUE;
    bag.Put(L"Loop", value);
    control.extentX = 5;

    EXPECT_EQ(E_FAIL, Persist(control)->Load(&bag, nullptr));
    EXPECT_EQ(1, control.resetCount);
    EXPECT_FALSE(control.loop);
    EXPECT_EQ(kDefaultSpeed, control.speed);
    EXPECT_EQ(5, control.extentX);
    EXPECT_EQ(0, control.loadedNotifications);
}

TEST_F(PropertyBagPersistence, ObjectThatIsNoPictureFailsTheLoad)
{
    VARIANT value;
    V_VT(&value) = VT_UNKNOWN;
    V_UNKNOWN(&value) = static_cast<IPropertyBag*>(&bag);
    bag.Put(L"Picture", value);
    EXPECT_EQ(E_FAIL, Persist(control)->Load(&bag, nullptr));
    EXPECT_EQ(1, control.resetCount);
}

TEST_F(PropertyBagPersistence, RefusedWriteFailsTheSaveAndKeepsDirty)
{
    control.modified = true;
    bag.failNextWrite = E_ACCESSDENIED;
    EXPECT_EQ(E_FAIL, Persist(control)->Save(&bag, TRUE, TRUE));
    EXPECT_TRUE(control.modified);
    EXPECT_EQ(E_POINTER, Persist(control)->Load(nullptr, nullptr));
    EXPECT_EQ(E_POINTER, Persist(control)->Save(nullptr, TRUE, TRUE));
}

} // namespace
