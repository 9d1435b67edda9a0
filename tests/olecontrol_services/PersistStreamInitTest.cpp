// IPersistStreamInit beyond the byte form: dirty state, class id, size, InitNew, and the way
// the interfaces hang off the control's identity.
#include "support/MemoryStreams.h"
#include "support/OleTest.h"
#include "TestPersistentControl.h"

using Microsoft::WRL::ComPtr;

namespace {

class PersistStreamInit : public OleTest
{
protected:
    ComPtr<IPersistStreamInit> Persist()
    {
        ComPtr<IPersistStreamInit> persist;
        EXPECT_EQ(S_OK, control.QueryInterface(IID_PPV_ARGS(&persist)));
        return persist;
    }
    CTestPersistentControl control;
};

TEST_F(PersistStreamInit, IsDirtyFollowsTheModifiedFlag)
{
    control.modified = true;
    EXPECT_EQ(S_OK, Persist()->IsDirty());
    control.modified = false;
    EXPECT_EQ(S_FALSE, Persist()->IsDirty());
}

TEST_F(PersistStreamInit, SaveClearsDirtyOnlyWhenAsked)
{
    control.modified = true;
    ComPtr<IStream> stream = NewMemoryStream();
    ASSERT_EQ(S_OK, Persist()->Save(stream.Get(), FALSE));
    EXPECT_TRUE(control.modified);
    ASSERT_EQ(S_OK, Persist()->Save(stream.Get(), TRUE));
    EXPECT_FALSE(control.modified);
}

TEST_F(PersistStreamInit, InitNewResetsToDefaultsAndLeavesTheControlClean)
{
    FillWithNonDefaults(control);
    control.modified = true;
    ASSERT_EQ(S_OK, Persist()->InitNew());
    EXPECT_EQ(1, control.resetCount);
    EXPECT_FALSE(control.modified);
    ExpectDefaultValues(control);
    EXPECT_TRUE(control.picture);
    // A reset keeps the extent.
    EXPECT_EQ(9999, control.extentX);
    EXPECT_EQ(-3, control.extentY);
}

TEST_F(PersistStreamInit, ClassIdAndSizeMax)
{
    CLSID classId = {};
    ASSERT_EQ(S_OK, Persist()->GetClassID(&classId));
    EXPECT_TRUE(IsEqualCLSID(CLSID_TestPersistentControl, classId));
    EXPECT_EQ(E_POINTER, Persist()->GetClassID(nullptr));

    Persist()->InitNew();
    control.caption = std::string(300, 'x');
    control.modified = true;
    ULARGE_INTEGER size = {};
    ASSERT_EQ(S_OK, Persist()->GetSizeMax(&size));
    ComPtr<IStream> stream = NewMemoryStream();
    Persist()->Save(stream.Get(), FALSE);
    EXPECT_EQ(AllBytesOf(stream.Get()).size(), size.QuadPart);
    EXPECT_TRUE(control.modified);
}

TEST_F(PersistStreamInit, NullStreamsAreRefused)
{
    EXPECT_EQ(E_POINTER, Persist()->Load(nullptr));
    EXPECT_EQ(E_POINTER, Persist()->Save(nullptr, TRUE));
    EXPECT_EQ(0, control.resetCount);
}

TEST_F(PersistStreamInit, InterfacesShareTheControlsIdentityAndCount)
{
    LONG before = control.references;
    {
        ComPtr<IPersistStreamInit> persist = Persist();
        EXPECT_EQ(before + 1, control.references);
        ComPtr<IUnknown> identity;
        ASSERT_EQ(S_OK, persist->QueryInterface(IID_PPV_ARGS(&identity)));
        EXPECT_EQ(static_cast<IUnknown*>(&control), identity.Get());

        ComPtr<IPersistStream> plain;
        ComPtr<IPersist> persistBase;
        ASSERT_EQ(S_OK, persist->QueryInterface(IID_PPV_ARGS(&plain)));
        ASSERT_EQ(S_OK, persist->QueryInterface(IID_PPV_ARGS(&persistBase)));
        EXPECT_EQ(static_cast<void*>(persist.Get()), static_cast<void*>(plain.Get()));
        ComPtr<IPersistPropertyBag> bag;
        ComPtr<IPersistStorage> storage;
        EXPECT_EQ(S_OK, plain->QueryInterface(IID_PPV_ARGS(&bag)));
        EXPECT_EQ(S_OK, bag->QueryInterface(IID_PPV_ARGS(&storage)));
        ComPtr<IOleObject> notOffered;
        EXPECT_EQ(E_NOINTERFACE, storage->QueryInterface(IID_PPV_ARGS(&notOffered)));
        EXPECT_FALSE(notOffered);
    }
    EXPECT_EQ(before, control.references);
}

} // namespace
