// Every item survives a save and a load on each of the three media, and the loaded object is
// clean, told once and not reset.
#include "support/OleTest.h"
#include "support/PersistenceMedia.h"
#include "TestPersistentControl.h"

#include <olectl.h>

using Microsoft::WRL::ComPtr;

namespace {

class RoundTrip : public OleTest, public ::testing::WithParamInterface<PersistenceMedium>
{
};

TEST_P(RoundTrip, RestoresEveryItem)
{
    SavedForm form(GetParam());
    CTestPersistentControl saved;
    ASSERT_EQ(S_OK, form.InitNew(&saved));
    FillWithNonDefaults(saved);
    saved.picture = CreateEmptyPicture();
    saved.modified = true;
    ASSERT_EQ(S_OK, form.Save(&saved));
    EXPECT_FALSE(saved.modified);

    CTestPersistentControl loaded;
    loaded.modified = true;
    ASSERT_EQ(S_OK, form.Load(&loaded));
    EXPECT_EQ(kTestDataVersion, loaded.loadedVersion);
    EXPECT_EQ(TRUE, loaded.loop);
    EXPECT_EQ(FALSE, loaded.mute);
    EXPECT_EQ(-40000, loaded.speed);
    EXPECT_EQ(9999, loaded.extentX);
    EXPECT_EQ(-3, loaded.extentY);
    EXPECT_EQ(0xFFFFFFFEu, loaded.mask);
    EXPECT_EQ(0x00123456u, loaded.backColor);
    EXPECT_EQ("Layer \xe9t\xe9 two", loaded.caption);
    EXPECT_EQ(-2, loaded.appearance);
    ComPtr<IPicture> picture;
    ASSERT_TRUE(loaded.picture);
    EXPECT_EQ(S_OK, loaded.picture.As(&picture));
    EXPECT_FALSE(loaded.modified);
    EXPECT_EQ(1, loaded.loadedNotifications);
    EXPECT_EQ(0, loaded.resetCount);
}

INSTANTIATE_TEST_SUITE_P(Media, RoundTrip, ::testing::ValuesIn(kPersistenceMedia),
                         [](const ::testing::TestParamInfo<PersistenceMedium>& info) { return NameOf(info.param); });

} // namespace
