// The reset exchange gives defaults, keeps the extent, and fails nothing.
#include "ResetExchange.h"
#include "TestPersistentControl.h"

#include <gtest/gtest.h>

namespace {

TEST(ResetExchange, EveryItemGetsItsDefaultButTheExtentStays)
{
    CTestPersistentControl control;
    FillWithNonDefaults(control);
    control.loadedVersion = 7;
    control.mute = TRUE;
    CResetExchange reset;
    EXPECT_TRUE(reset.IsResetting());
    control.DoPropExchange(reset);
    EXPECT_TRUE(reset.Succeeded());
    EXPECT_TRUE(control.lastExchangeClean);
    ExpectDefaultValues(control);
    EXPECT_FALSE(control.picture);
    EXPECT_EQ(9999, control.extentX);
    EXPECT_EQ(-3, control.extentY);
}

TEST(ResetExchange, NullStringDefaultGivesEmptyAndObjectDefaultIsShared)
{
    CResetExchange reset;
    std::string text = "old";
    EXPECT_TRUE(reset.ExchangeString("Text", text, nullptr));
    EXPECT_EQ("", text);

    CTestPersistentControl defaultObject;
    Microsoft::WRL::ComPtr<IUnknown> value;
    EXPECT_TRUE(reset.ExchangeObject("Object", value, IID_IUnknown, &defaultObject));
    EXPECT_EQ(static_cast<IUnknown*>(&defaultObject), value.Get());
    value.Reset();
}

} // namespace
