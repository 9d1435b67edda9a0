// The control's persistent properties through its own interfaces, with the platform's memory
// streams and compound files and the tests' property bag.
#include "CorvanePersistenceFixture.h"

#include "support/MemoryPropertyBag.h"

#include <functional>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// The standard picture's own form for a picture of type none: its header and a zero length.
const Bytes kEmptyPictureData = {0x6c, 0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

TEST_F(CorvanePersistence, NewControlSavesItsDefaultsAndAnEmptyPictureIntoAStream)
{
    OwnedControl control;
    InitNew(control);
    Bytes expected;
    AppendLittleEndian(expected, 0x00010000, 4);
    const Bytes picture = WithPicture(CLSID_StdPicture, kEmptyPictureData);
    expected.insert(expected.end(), picture.begin(), picture.end());
    AppendDefaultsAfterPicture(expected, *control.object);
    EXPECT_EQ(HexOf(SaveToStream(control)), HexOf(expected));
}

TEST_F(CorvanePersistence, NewControlSavesItsDefaultsIntoABagByName)
{
    OwnedControl control;
    InitNew(control);
    CMemoryPropertyBag bag;
    ASSERT_EQ(control.As<IPersistPropertyBag>()->Save(&bag, TRUE, TRUE), S_OK);
    const std::vector<std::wstring> names = {L"_Version", L"ControlPicture", L"XLoop",      L"XMute",
                                             L"XAspectRatio", L"XEffectSpeed", L"_ExtentX", L"_ExtentY",
                                             L"_StockProps",  L"BackColor",    L"Appearance"};
    EXPECT_EQ(bag.WrittenNames(), names);
    auto number = [&bag](const wchar_t* name) {
        Variant value;
        EXPECT_EQ(VariantChangeType(&value.value, const_cast<VARIANT*>(&bag.Value(name)), 0, VT_I4), S_OK) << name;
        return value.value.lVal;
    };
    EXPECT_EQ(number(L"_Version"), 65536);
    EXPECT_EQ(bag.Value(L"ControlPicture").vt, VT_UNKNOWN);
    EXPECT_EQ(PictureType(bag.Value(L"ControlPicture").punkVal), PICTYPE_NONE);
    for (const wchar_t* flag : {L"XLoop", L"XMute", L"XAspectRatio"}) {
        EXPECT_EQ(bag.Value(flag).vt, VT_BOOL) << flag;
        EXPECT_EQ(bag.Value(flag).boolVal, VARIANT_FALSE) << flag;
    }
    EXPECT_EQ(number(L"XEffectSpeed"), 125);
    EXPECT_EQ(number(L"_ExtentX"), control->GetExtent().cx);
    EXPECT_EQ(number(L"_ExtentY"), control->GetExtent().cy);
    EXPECT_EQ(number(L"_StockProps"), 129);
    EXPECT_EQ(static_cast<OLE_COLOR>(number(L"BackColor")), control->GetBackColor());
    EXPECT_EQ(number(L"Appearance"), 0);
}

TEST_F(CorvanePersistence, EveryPropertyRoundTripsThroughStreamBagAndStorage)
{
    using Step = std::function<HRESULT(const OwnedControl& saved, const OwnedControl& loaded)>;
    const Step newThroughStream = [](const OwnedControl& saved, const OwnedControl&) {
        return saved.As<IPersistStreamInit>()->InitNew();
    };
    // The storage medium: a compound file in memory, which the saved control holds from its start.
    ComPtr<IStorage> storage;
    struct Medium
    {
        const char* name;
        Step initNew;
        Step transfer;
    };
    const Medium media[] = {
        {"stream", newThroughStream,
         [](const OwnedControl& saved, const OwnedControl& loaded) {
             return loaded.As<IPersistStreamInit>()->Load(StreamWithBytes(SaveToStream(saved)).Get());
         }},
        {"property bag", newThroughStream,
         [](const OwnedControl& saved, const OwnedControl& loaded) {
             CMemoryPropertyBag bag;
             const HRESULT hr = saved.As<IPersistPropertyBag>()->Save(&bag, TRUE, TRUE);
             return FAILED(hr) ? hr : loaded.As<IPersistPropertyBag>()->Load(&bag, nullptr);
         }},
        {"storage",
         [&storage](const OwnedControl& saved, const OwnedControl&) {
             ComPtr<ILockBytes> bytes;
             HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
             if (SUCCEEDED(hr))
                 hr = StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                                   0, storage.ReleaseAndGetAddressOf());
             return FAILED(hr) ? hr : saved.As<IPersistStorage>()->InitNew(storage.Get());
         },
         [&storage](const OwnedControl& saved, const OwnedControl& loaded) {
             ComPtr<IPersistStorage> persist = saved.As<IPersistStorage>();
             HRESULT hr = persist->Save(storage.Get(), TRUE);
             if (SUCCEEDED(hr))
                 hr = persist->SaveCompleted(nullptr);
             if (SUCCEEDED(hr))
                 hr = persist->HandsOffStorage();
             return FAILED(hr) ? hr : loaded.As<IPersistStorage>()->Load(storage.Get());
         }},
    };
    for (const Medium& medium : media) {
        SCOPED_TRACE(medium.name);
        OwnedControl saved;
        OwnedControl loaded;
        ASSERT_EQ(medium.initNew(saved, loaded), S_OK);
        Fill(saved);
        ASSERT_EQ(medium.transfer(saved, loaded), S_OK);
        ExpectFilled(*loaded.object);
        EXPECT_EQ(loaded.As<IPersistStreamInit>()->IsDirty(), S_FALSE);
    }
}

TEST_F(CorvanePersistence, BagWithoutANameGivesThatItemItsDefault)
{
    OwnedControl saved;
    InitNew(saved);
    Fill(saved);
    CMemoryPropertyBag bag;
    ASSERT_EQ(saved.As<IPersistPropertyBag>()->Save(&bag, TRUE, TRUE), S_OK);
    bag.Remove(L"XEffectSpeed");
    bag.Remove(L"XMute");
    OwnedControl loaded;
    ASSERT_EQ(loaded.As<IPersistPropertyBag>()->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(loaded->XEffectSpeed, 125);
    EXPECT_EQ(loaded->XMute, FALSE);
    EXPECT_EQ(loaded->XLoop, TRUE);
}

TEST_F(CorvanePersistence, EveryTruncatedStreamFailsAndResetsEveryProperty)
{
    OwnedControl saved;
    InitNew(saved);
    Fill(saved);
    const Bytes full = SaveToStream(saved);
    for (size_t length = 0; length < full.size(); ++length) {
        SCOPED_TRACE("stream cut to " + std::to_string(length) + " of " + std::to_string(full.size()) + " bytes");
        OwnedControl control;
        InitNew(control);
        Fill(control);
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(control.As<IPersistStreamInit>()->Load(StreamWithBytes(cut).Get()), E_FAIL);
        ExpectDefaults(*control.object);
        if (HasFailure())
            break;
    }
}

TEST_F(CorvanePersistence, PictureMarkersAndClassesInAStream)
{
    OwnedControl source;
    InitNew(source);
    // Another class, registered for this process, whose objects are pictures.
    PictureClassFactory otherClass;
    DWORD registration = 0;
    ASSERT_EQ(CoRegisterClassObject(kOtherPictureClass, &otherClass, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    &registration),
              S_OK);
    struct Row
    {
        const char* name;
        Bytes picture;
        HRESULT result;
        SHORT pictureType;  // -1: no picture
        int madeByOtherClass;
    };
    const Bytes bitmapData = OwnDataOf(SmallBitmapPicture().Get());
    const Row rows[] = {
        {"marker 255: the default, no picture", {255}, S_OK, -1, 0},
        {"a zero class: no picture", WithPicture(CLSID_NULL, {}), S_OK, -1, 0},
        {"the standard picture", WithPicture(CLSID_StdPicture, bitmapData), S_OK, PICTYPE_BITMAP, 0},
        {"another registered class, loaded through its own persistence",
         WithPicture(kOtherPictureClass, bitmapData), S_OK, PICTYPE_BITMAP, 1},
        {"a registered class that is no picture", WithPicture(CLSID_StdFont, OwnDataOf(BoldArial().Get())), E_FAIL,
         PICTYPE_NONE, 0},
        {"an unreadable picture", WithPicture(CLSID_StdPicture, Bytes{1, 2, 3}), E_FAIL, PICTYPE_NONE, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        otherClass.made = 0;
        Bytes bytes;
        AppendLittleEndian(bytes, 0x00020000, 4);
        bytes.insert(bytes.end(), row.picture.begin(), row.picture.end());
        const size_t loopAt = bytes.size();
        AppendDefaultsAfterPicture(bytes, *source.object);
        bytes[loopAt] = 1;  // XLoop
        OwnedControl control;
        InitNew(control);
        EXPECT_EQ(control.As<IPersistStreamInit>()->Load(StreamWithBytes(bytes).Get()), row.result);
        EXPECT_EQ(PictureType(control->controlPicture.Get()), row.pictureType);
        EXPECT_EQ(otherClass.made, row.madeByOtherClass);
        if (row.result == S_OK) {
            EXPECT_EQ(control->XLoop, TRUE) << "the items after the picture are read in step";
            EXPECT_EQ(control->loadedVersion, 0x00020000u);
        } else {
            ExpectDefaults(*control.object);
        }
    }
    CoRevokeClassObject(registration);
}

TEST_F(CorvanePersistence, PutsMarkTheControlDirtyAndRunTheirHandlers)
{
    struct Row
    {
        DISPID dispid;
        Variant value;
        void (CCorvaneCtrl::*handler)();
    };
    const Row rows[] = {
        {DISPID_CORVANE_XASPECTRATIO, Variant::Bool(false), &CCorvaneCtrl::OnXAspectRatioChanged},
        {DISPID_CORVANE_XMUTE, Variant::Bool(false), &CCorvaneCtrl::OnXMuteChanged},
        {DISPID_CORVANE_XLOOP, Variant::Bool(false), &CCorvaneCtrl::OnXLoopChanged},
        {DISPID_CORVANE_XEFFECTSPEED, Variant(125L), &CCorvaneCtrl::OnXEffectSpeedChanged},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("dispid " + std::to_string(row.dispid));
        OwnedControl control;
        InitNew(control);
        ComPtr<IPersistStreamInit> persist = control.As<IPersistStreamInit>();
        ASSERT_EQ(persist->IsDirty(), S_FALSE);
        // The value a new control already has: a put is a put all the same.
        ASSERT_EQ(PutProperty(control.As<IDispatch>().Get(), row.dispid, row.value).hr, S_OK);
        EXPECT_EQ(persist->IsDirty(), S_OK);
        control->SetModifiedFlag(false);
        (control.object->*row.handler)();
        EXPECT_EQ(persist->IsDirty(), S_OK) << "the handler itself marks the control modified";
    }
    // The aspect ratio's handler reaches the engine, which has no renderer yet; the value stays.
    OwnedControl control;
    ASSERT_EQ(PutProperty(control.As<IDispatch>().Get(), DISPID_CORVANE_XASPECTRATIO, Variant::Bool(true)).hr, S_OK);
    // Its last step, the repaint, leaves the last refusal in the error text.
    EXPECT_NE(std::string(control->engine.LastError()).find("Can't repaint, no VMR"), std::string::npos)
        << control->engine.LastError();
    EXPECT_EQ(control->XAspectRatio, TRUE);
}

}  // namespace
