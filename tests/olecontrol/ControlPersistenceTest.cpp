// The test control saved and loaded through its own persistence interfaces, found by
// QueryInterface on the control: a memory stream, a property bag and a compound file.
#include <ocidl.h>
#include <wrl/client.h>

#include "TestControl.h"
#include "TestControlIds.h"
#include "support/DispatchCalls.h"
#include "support/MemoryPropertyBag.h"
#include "support/MemoryStreams.h"
#include "support/OleTest.h"
#include "support/PersistenceMedia.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr OLE_COLOR savedColor = 0x00123456;
constexpr SIZEL savedExtent = {2000, 1000};

class ControlPersistence : public OleTest
{
protected:
    struct Control
    {
        CTestControl* object = nullptr;
        ComPtr<IUnknown> unknown = MakeTestControl(&object);
        template <class Interface> ComPtr<Interface> As() const
        {
            ComPtr<Interface> found;
            EXPECT_EQ(unknown.As(&found), S_OK);
            return found;
        }
    };

    // Non-default values for every item, put the way a host puts them.
    static void FillThroughDispatch(const Control& control)
    {
        ComPtr<IDispatch> dispatch = control.As<IDispatch>();
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XFLAG, Variant::Bool(true)).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XSPEED, Variant(300L)).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XLABEL, Variant(L"abc")).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_BACKCOLOR, Variant(static_cast<long>(savedColor))).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_APPEARANCE, Variant(0L)).hr, S_OK);
        SIZEL extent = savedExtent;
        ASSERT_EQ(control.As<IOleObject>()->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    }

    static void ExpectFilledValues(const CTestControl& control)
    {
        EXPECT_EQ(control.xFlag, TRUE);
        EXPECT_EQ(control.xSpeed, 300);
        EXPECT_EQ(control.xLabel, "abc");
        EXPECT_EQ(control.GetBackColor(), savedColor);
        EXPECT_EQ(control.GetAppearance(), 0);
        EXPECT_EQ(control.GetExtent().cx, savedExtent.cx);
        EXPECT_EQ(control.GetExtent().cy, savedExtent.cy);
    }

    // Every item as a fresh control has it.
    static void ExpectDefaults(const CTestControl& control)
    {
        const Control fresh;
        EXPECT_EQ(control.xFlag, FALSE);
        EXPECT_EQ(control.xSpeed, 7);
        EXPECT_EQ(control.xLabel, "");
        EXPECT_EQ(control.GetBackColor(), fresh.object->GetBackColor());
        EXPECT_EQ(control.GetAppearance(), fresh.object->GetAppearance());
        EXPECT_FALSE(control.IsModified());
    }

    static Bytes SaveToStream(const Control& control, BOOL clearDirty = TRUE)
    {
        ComPtr<IStream> stream = NewMemoryStream();
        EXPECT_EQ(control.As<IPersistStreamInit>()->Save(stream.Get(), clearDirty), S_OK);
        return AllBytesOf(stream.Get());
    }
};

class ControlRoundTrip : public ControlPersistence, public ::testing::WithParamInterface<PersistenceMedium>
{
};

TEST_P(ControlRoundTrip, RestoresEveryItemWithoutChangeHandlersAndLeavesItClean)
{
    SavedForm form(GetParam());
    Control saved;
    ASSERT_EQ(form.InitNew(saved.unknown.Get()), S_OK);
    FillThroughDispatch(saved);
    EXPECT_EQ(saved.As<IPersistStreamInit>()->IsDirty(), S_OK);
    ASSERT_EQ(form.Save(saved.unknown.Get()), S_OK);
    EXPECT_EQ(saved.As<IPersistStreamInit>()->IsDirty(), S_FALSE);

    Control loaded;
    ASSERT_EQ(form.Load(loaded.unknown.Get()), S_OK);
    ExpectFilledValues(*loaded.object);
    EXPECT_EQ(loaded.As<IPersistStreamInit>()->IsDirty(), S_FALSE);
    EXPECT_EQ(loaded.object->observed.speedChanges, 0) << "a load stores values without change handlers";
}

INSTANTIATE_TEST_SUITE_P(Media, ControlRoundTrip, ::testing::ValuesIn(kPersistenceMedia),
                         [](const ::testing::TestParamInfo<PersistenceMedium>& info) { return NameOf(info.param); });

TEST_F(ControlPersistence, StreamHoldsTheControlsItemsThenTheFrameworks)
{
    Control saved;
    FillThroughDispatch(saved);
    Bytes expected = {1};                                 // XFlag
    AppendLittleEndian(expected, 300, 4);                 // XSpeed
    AppendLittleEndian(expected, 3, 4);                   // XLabel
    AppendBytes(expected, "abc", 3);
    AppendLittleEndian(expected, static_cast<ULONG>(savedExtent.cx), 4);  // _ExtentX
    AppendLittleEndian(expected, static_cast<ULONG>(savedExtent.cy), 4);  // _ExtentY
    AppendLittleEndian(expected, 0x81, 4);                // _StockProps: BackColor, Appearance
    AppendLittleEndian(expected, savedColor, 4);          // BackColor
    AppendLittleEndian(expected, 0, 2);                   // Appearance
    EXPECT_EQ(HexOf(SaveToStream(saved)), HexOf(expected));
}

TEST_F(ControlPersistence, EveryTruncatedStreamFailsAndResetsEveryItem)
{
    Control saved;
    FillThroughDispatch(saved);
    const Bytes full = SaveToStream(saved);
    for (size_t length = 0; length < full.size(); ++length) {
        SCOPED_TRACE("stream cut to " + std::to_string(length) + " bytes");
        Control control;
        FillThroughDispatch(control);
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(control.As<IPersistStreamInit>()->Load(StreamWithBytes(cut).Get()), E_FAIL);
        ExpectDefaults(*control.object);
        EXPECT_EQ(control.As<IPersistStreamInit>()->IsDirty(), S_FALSE);
    }
}

TEST_F(ControlPersistence, PropertyBagHoldsEveryItemByNameAndAnUnreadableOneResetsAll)
{
    Control saved;
    FillThroughDispatch(saved);
    CMemoryPropertyBag bag;
    ASSERT_EQ(saved.As<IPersistPropertyBag>()->Save(&bag, TRUE, TRUE), S_OK);
    const std::vector<std::wstring> names = {L"XFlag",       L"XSpeed",    L"XLabel",     L"_ExtentX",
                                             L"_ExtentY",    L"_StockProps", L"BackColor", L"Appearance"};
    EXPECT_EQ(bag.WrittenNames(), names);

    Control loaded;
    FillThroughDispatch(loaded);
    bag.Put(L"XSpeed", Variant(L"not a number").value);
    EXPECT_EQ(loaded.As<IPersistPropertyBag>()->Load(&bag, nullptr), E_FAIL);
    ExpectDefaults(*loaded.object);
}

TEST_F(ControlPersistence, IsDirtyFollowsTheModifiedFlag)
{
    Control control;
    ComPtr<IPersistStreamInit> persist = control.As<IPersistStreamInit>();
    ASSERT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    ASSERT_EQ(PutProperty(control.As<IDispatch>().Get(), DISPID_TEST_XSPEED, Variant(9L)).hr, S_OK);
    EXPECT_EQ(persist->IsDirty(), S_OK) << "a put through IDispatch marks the control modified";
    SaveToStream(control, FALSE);
    EXPECT_EQ(persist->IsDirty(), S_OK) << "saving without clearing keeps it dirty";
    SaveToStream(control, TRUE);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    control.object->SetModifiedFlag(true);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    EXPECT_EQ(control.As<IPersistPropertyBag>()->Save(nullptr, TRUE, TRUE), E_POINTER);
    EXPECT_EQ(persist->IsDirty(), S_OK) << "a failed save leaves the control dirty";
}

} // namespace
