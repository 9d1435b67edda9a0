// The property-bag form: typed values by name, defaults for missing names, conversion of
// values a bag holds in another type, and the failure rule.
#include "support/DispatchCalls.h"
#include "support/MemoryPropertyBag.h"
#include "support/OleTest.h"
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

TEST_F(PropertyBagPersistence, MissingNamesGiveDefaults)
{
    FillWithNonDefaults(control);
    control.picture = CreateEmptyPicture();
    bag.Put(L"Speed", Variant(77L).value);
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
    bag.Put(L"Speed", Variant(L"-12").value);
    bag.Put(L"BackColor", Variant(static_cast<long>(0x8000000F)).value);  // a system colour kept signed
    bag.Put(L"Loop", Variant(1L).value);
    bag.Put(L"Caption", Variant(42L).value);

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
    bag.Put(L"Speed", Variant(L"fast").value);
    bag.Put(L"Loop", Variant::Bool(true).value);
    control.extentX = 5;

    EXPECT_EQ(E_FAIL, Persist(control)->Load(&bag, nullptr));
    EXPECT_EQ(1, control.resetCount);
    ExpectDefaultValues(control);
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
