// The stream form: round trips, the exact byte layout, and the failure rule for short or
// corrupt streams.
#include "support/MemoryStreams.h"
#include "support/OleTest.h"
#include "StreamSaveExchange.h"
#include "TestPersistentControl.h"

#include <gtest/gtest.h>
#include <olectl.h>

using Microsoft::WRL::ComPtr;

namespace {

// {0BE35204-8F91-11CE-9DE3-00AA004BB851} as it lies in a stream.
const BYTE kStdPictureClassBytes[16] = {0x04, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                                        0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};

class StreamPersistence : public OleTest
{
protected:
    static ComPtr<IPersistStreamInit> StreamInterfaceOf(CTestPersistentControl& control)
    {
        ComPtr<IPersistStreamInit> persist;
        control.QueryInterface(IID_PPV_ARGS(&persist));
        return persist;
    }

    static Bytes Save(CTestPersistentControl& control)
    {
        ComPtr<IStream> stream = NewMemoryStream();
        EXPECT_EQ(S_OK, StreamInterfaceOf(control)->Save(stream.Get(), TRUE));
        return AllBytesOf(stream.Get());
    }

    static HRESULT Load(CTestPersistentControl& control, const Bytes& bytes)
    {
        ComPtr<IStream> stream = StreamWithBytes(bytes);
        return StreamInterfaceOf(control)->Load(stream.Get());
    }

    // The bytes the items after the picture take for FillWithNonDefaults.
    static void AppendNonDefaultTail(Bytes& expected)
    {
        expected.push_back(1);                          // Loop
        expected.push_back(0);                          // Mute
        AppendLittleEndian(expected, static_cast<ULONG>(-40000), 4);
        AppendLittleEndian(expected, 9999, 4);
        AppendLittleEndian(expected, static_cast<ULONG>(-3), 4);
        AppendLittleEndian(expected, 0xFFFFFFFE, 4);   // Mask
        AppendLittleEndian(expected, 0x00123456, 4);   // BackColor
        const char caption[] = "Layer \xe9t\xe9 two";
        AppendLittleEndian(expected, sizeof(caption) - 1, 4);
        AppendBytes(expected, caption, sizeof(caption) - 1);
        AppendLittleEndian(expected, static_cast<USHORT>(-2), 2);
    }

    static void ExpectResetState(const CTestPersistentControl& control)
    {
        ExpectDefaultValues(control);
        ComPtr<IPicture> picture;
        ASSERT_TRUE(control.picture);
        ASSERT_EQ(S_OK, control.picture.As(&picture));
        SHORT type = -1;
        picture->get_Type(&type);
        EXPECT_EQ(PICTYPE_NONE, type);
    }
};

TEST_F(StreamPersistence, LayoutWithoutPictureIsTheItemsInCallOrder)
{
    CTestPersistentControl control;
    FillWithNonDefaults(control);
    Bytes expected;
    AppendLittleEndian(expected, 0x00010000, 4);
    expected.push_back(255);
    AppendNonDefaultTail(expected);
    EXPECT_EQ(HexOf(expected), HexOf(Save(control)));
}

TEST_F(StreamPersistence, LayoutWithEmptyStandardPictureHoldsItsClassAndData)
{
    CTestPersistentControl control;
    StreamInterfaceOf(control)->InitNew();
    // The picture's own data, written independently of the exchange.
    ComPtr<IPersistStream> reference;
    ASSERT_EQ(S_OK, CreateEmptyPicture().As(&reference));
    ComPtr<IStream> pictureData = NewMemoryStream();
    ASSERT_EQ(S_OK, reference->Save(pictureData.Get(), TRUE));

    Bytes expected;
    AppendLittleEndian(expected, 0x00010000, 4);
    expected.push_back(0);
    AppendBytes(expected, kStdPictureClassBytes, sizeof(kStdPictureClassBytes));
    Bytes data = AllBytesOf(pictureData.Get());
    expected.insert(expected.end(), data.begin(), data.end());
    expected.insert(expected.end(), {0, 0});
    AppendLittleEndian(expected, 125, 4);
    AppendLittleEndian(expected, 2540, 4);
    AppendLittleEndian(expected, 1270, 4);
    AppendLittleEndian(expected, 0x81, 4);
    AppendLittleEndian(expected, 0x8000000F, 4);
    AppendLittleEndian(expected, 7, 4);
    AppendBytes(expected, "Caption", 7);
    AppendLittleEndian(expected, 1, 2);
    EXPECT_EQ(HexOf(expected), HexOf(Save(control)));
}

// The values themselves: RoundTrip (every medium).
TEST_F(StreamPersistence, LoadedControlHasItsOwnPictureAndSavesTheSameBytes)
{
    CTestPersistentControl saved;
    FillWithNonDefaults(saved);
    saved.picture = CreateEmptyPicture();
    Bytes bytes = Save(saved);

    CTestPersistentControl loaded;
    ASSERT_EQ(S_OK, Load(loaded, bytes));
    ASSERT_TRUE(loaded.picture);
    EXPECT_FALSE(IsSameObject(loaded.picture.Get(), saved.picture.Get()));
    EXPECT_EQ(HexOf(bytes), HexOf(Save(loaded)));
}

TEST_F(StreamPersistence, StoredVersionIsReportedButCurrentVersionIsSaved)
{
    CTestPersistentControl saved;
    FillWithNonDefaults(saved);
    Bytes bytes = Save(saved);
    bytes[0] = 0x02;  // version 0x00010002
    CTestPersistentControl loaded;
    ASSERT_EQ(S_OK, Load(loaded, bytes));
    EXPECT_EQ(0x00010002u, loaded.loadedVersion);
    Bytes again = Save(loaded);
    EXPECT_EQ(0x00, again[0]);
    EXPECT_EQ(0x01, again[2]);
}

TEST_F(StreamPersistence, EveryTruncationFailsAndLeavesNoPartlyLoadedState)
{
    CTestPersistentControl saved;
    FillWithNonDefaults(saved);
    saved.picture = CreateEmptyPicture();
    const Bytes full = Save(saved);
    ASSERT_GT(full.size(), 40u);
    for (size_t length = 0; length < full.size(); ++length) {
        SCOPED_TRACE("stream cut to " + std::to_string(length) + " bytes");
        CTestPersistentControl control;
        control.extentX = 111;
        control.extentY = 222;
        control.modified = true;
        Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(E_FAIL, Load(control, cut));
        EXPECT_EQ(1, control.resetCount);
        EXPECT_EQ(0, control.loadedNotifications);
        EXPECT_FALSE(control.modified);
        ExpectResetState(control);
        // The extent is not reset, and must not keep a half-read value either.
        EXPECT_EQ(111, control.extentX);
        EXPECT_EQ(222, control.extentY);
    }
}

TEST_F(StreamPersistence, CorruptObjectDataFailsTheLoad)
{
    CTestPersistentControl saved;
    FillWithNonDefaults(saved);
    saved.picture = CreateEmptyPicture();
    const Bytes good = Save(saved);
    struct Damage
    {
        const char* what;
        size_t offset;
        BYTE value;
    } damages[] = {
        {"marker neither 0 nor 255", 4, 7},
        {"class that does not exist", 5, 0xEE},
        {"picture data that is not a picture", 21, 0x5A},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        Bytes bytes = good;
        bytes[damage.offset] = damage.value;
        if (damage.offset == 21)
            for (size_t i = 21; i < 29; ++i)
                bytes[i] = damage.value;
        CTestPersistentControl control;
        EXPECT_EQ(E_FAIL, Load(control, bytes));
        EXPECT_EQ(1, control.resetCount);
        ExpectResetState(control);
    }
}

TEST_F(StreamPersistence, ZeroClassIdAndMarker255GiveNoPicture)
{
    CTestPersistentControl saved;
    FillWithNonDefaults(saved);
    Bytes withMarker = Save(saved);  // picture none: marker 255
    CTestPersistentControl first;
    first.picture = CreateEmptyPicture();
    ASSERT_EQ(S_OK, Load(first, withMarker));
    EXPECT_FALSE(first.picture);

    Bytes withZeroClass(withMarker.begin(), withMarker.begin() + 4);
    withZeroClass.push_back(0);
    withZeroClass.insert(withZeroClass.end(), 16, 0);
    withZeroClass.insert(withZeroClass.end(), withMarker.begin() + 5, withMarker.end());
    CTestPersistentControl second;
    second.picture = CreateEmptyPicture();
    ASSERT_EQ(S_OK, Load(second, withZeroClass));
    EXPECT_FALSE(second.picture);
    EXPECT_EQ(-40000, second.speed);
}

TEST_F(StreamPersistence, HugeStringLengthFailsWithoutReadingPastTheEnd)
{
    CTestPersistentControl saved;
    FillWithNonDefaults(saved);
    Bytes bytes = Save(saved);
    // The caption's length field sits 4 + 1 + 2 + 4 * 5 bytes in.
    const size_t lengthOffset = 27;
    ASSERT_EQ(13, bytes[lengthOffset]);
    bytes[lengthOffset] = 0xF0;
    bytes[lengthOffset + 1] = bytes[lengthOffset + 2] = bytes[lengthOffset + 3] = 0xFF;
    CTestPersistentControl control;
    EXPECT_EQ(E_FAIL, Load(control, bytes));
    ExpectResetState(control);
}

TEST_F(StreamPersistence, SaveIntoAStreamThatRefusesWritesFails)
{
    ComPtr<IStorage> storage;
    ASSERT_EQ(S_OK, StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                                     0, &storage));
    ComPtr<IStream> created;
    ASSERT_EQ(S_OK, storage->CreateStream(L"x", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &created));
    created.Reset();
    ComPtr<IStream> readOnly;
    ASSERT_EQ(S_OK, storage->OpenStream(L"x", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &readOnly));

    CTestPersistentControl control;
    control.modified = true;
    EXPECT_EQ(E_FAIL, StreamInterfaceOf(control)->Save(readOnly.Get(), TRUE));
    EXPECT_TRUE(control.modified);
}

} // namespace
