// The test control saved and loaded through its own persistence interfaces, found by
// QueryInterface on the control: a memory stream, a property bag and a compound file.
#include "OleTest.h"

#include <ocidl.h>
#include <wrl/client.h>

#include "DispatchCalls.h"
#include "TestControl.h"
#include "TestControlIds.h"
#include "olecontrol_services/MemoryPropertyBag.h"
#include "olecontrol_services/MemoryStreams.h"

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

TEST_F(ControlPersistence, StreamHoldsTheControlsItemsThenTheFrameworksAndLoadsBack)
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
    const Bytes bytes = SaveToStream(saved);
    EXPECT_EQ(HexOf(bytes), HexOf(expected));

    Control loaded;
    ASSERT_EQ(loaded.As<IPersistStreamInit>()->Load(StreamWithBytes(bytes).Get()), S_OK);
    ExpectFilledValues(*loaded.object);
    EXPECT_EQ(loaded.As<IPersistStreamInit>()->IsDirty(), S_FALSE);
    EXPECT_EQ(loaded.object->observed.speedChanges, 0) << "a load stores values without change handlers";
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

TEST_F(ControlPersistence, PropertyBagRoundTripWritesEveryItemByName)
{
    Control saved;
    FillThroughDispatch(saved);
    CMemoryPropertyBag bag;
    ASSERT_EQ(saved.As<IPersistPropertyBag>()->Save(&bag, TRUE, TRUE), S_OK);
    const std::vector<std::wstring> names = {L"XFlag",       L"XSpeed",    L"XLabel",     L"_ExtentX",
                                             L"_ExtentY",    L"_StockProps", L"BackColor", L"Appearance"};
    EXPECT_EQ(bag.WrittenNames(), names);

    Control loaded;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>()->Load(&bag, nullptr), S_OK);
    ExpectFilledValues(*loaded.object);

    bag.Put(L"XSpeed", Variant(L"not a number").value);
    EXPECT_EQ(loaded.As<IPersistPropertyBag>()->Load(&bag, nullptr), E_FAIL);
    ExpectDefaults(*loaded.object);
}

TEST_F(ControlPersistence, StorageRoundTripThroughACompoundFile)
{
    ComPtr<IStorage> storage;
    ASSERT_EQ(StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                               0, &storage),
              S_OK);
    Control saved;
    ComPtr<IPersistStorage> persist = saved.As<IPersistStorage>();
    ASSERT_EQ(persist->InitNew(storage.Get()), S_OK);
    FillThroughDispatch(saved);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ASSERT_EQ(persist->Save(storage.Get(), TRUE), S_OK);
    ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    ASSERT_EQ(persist->HandsOffStorage(), S_OK);

    Control loaded;
    ASSERT_EQ(loaded.As<IPersistStorage>()->Load(storage.Get()), S_OK);
    ExpectFilledValues(*loaded.object);
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
