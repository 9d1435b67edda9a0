// Object items in the stream form, through the exchanges themselves: another class than the
// standard picture, and an object equal to a non-empty default.
#include "support/MemoryPropertyBag.h"
#include "support/MemoryStreams.h"
#include "support/OleTest.h"
#include "StreamLoadExchange.h"
#include "StreamSaveExchange.h"

#include <olectl.h>

using Microsoft::WRL::ComPtr;

namespace {

using StreamObjectItem = OleTest;

ComPtr<IUnknown> CreateFont(const wchar_t* name, bool bold)
{
    FONTDESC description = {};
    description.cbSizeofstruct = sizeof(description);
    description.lpstrName = const_cast<LPOLESTR>(name);
    description.cySize.int64 = 120000;
    description.sWeight = bold ? FW_BOLD : FW_NORMAL;
    description.sCharset = ANSI_CHARSET;
    description.fItalic = TRUE;
    ComPtr<IUnknown> font;
    OleCreateFontIndirect(&description, IID_IFont, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

TEST_F(StreamObjectItem, AnotherClassIsCreatedAndLoadedThroughItsOwnStreamPersistence)
{
    ComPtr<IUnknown> font = CreateFont(L"Arial", true);
    ASSERT_TRUE(font);
    ComPtr<IStream> stream = NewMemoryStream();
    CStreamSaveExchange save(stream.Get());
    ASSERT_TRUE(save.ExchangeObject("Font", font, IID_IFont, nullptr));
    Bytes bytes = AllBytesOf(stream.Get());
    ASSERT_GT(bytes.size(), 17u);
    EXPECT_EQ(0, bytes[0]);
    CLSID written = {};
    memcpy(&written, &bytes[1], sizeof(written));
    EXPECT_TRUE(IsEqualCLSID(CLSID_StdFont, written));

    ComPtr<IStream> input = StreamWithBytes(bytes);
    CStreamLoadExchange load(input.Get());
    ComPtr<IUnknown> loaded;
    ASSERT_TRUE(load.ExchangeObject("Font", loaded, IID_IFont, nullptr));
    ComPtr<IFont> loadedFont;
    ASSERT_EQ(S_OK, loaded.As(&loadedFont));
    EXPECT_FALSE(IsSameObject(loaded.Get(), font.Get()));
    // The system may substitute the face; the loaded font must name the same one.
    ComPtr<IFont> originalFont;
    ASSERT_EQ(S_OK, font.As(&originalFont));
    BSTR originalName = nullptr;
    BSTR name = nullptr;
    originalFont->get_Name(&originalName);
    loadedFont->get_Name(&name);
    EXPECT_STREQ(originalName, name);
    SysFreeString(originalName);
    SysFreeString(name);
    BOOL italic = FALSE;
    loadedFont->get_Italic(&italic);
    EXPECT_TRUE(italic);
    BOOL bold = FALSE;
    loadedFont->get_Bold(&bold);
    EXPECT_TRUE(bold);
    EXPECT_TRUE(load.Succeeded());

    // The stream is used up: the next item fails, and the exchange stays failed.
    ULONG extra = 5;
    EXPECT_FALSE(load.ExchangeULong("Extra", extra, 0));
    EXPECT_EQ(5u, extra);
    EXPECT_FALSE(load.Succeeded());
    SHORT later = 3;
    EXPECT_FALSE(load.ExchangeShort("Later", later, 0));
    EXPECT_EQ(3, later);
}

TEST_F(StreamObjectItem, ObjectEqualToItsDefaultIsMarkedAndReadBackAsTheDefault)
{
    ComPtr<IUnknown> defaultFont = CreateFont(L"Courier New", false);
    ComPtr<IFont> sameObjectOtherInterface;
    ASSERT_EQ(S_OK, defaultFont.As(&sameObjectOtherInterface));
    ComPtr<IUnknown> value;
    ASSERT_EQ(S_OK, sameObjectOtherInterface.As(&value));

    ComPtr<IStream> stream = NewMemoryStream();
    CStreamSaveExchange save(stream.Get());
    ASSERT_TRUE(save.ExchangeObject("Font", value, IID_IFont, defaultFont.Get()));
    EXPECT_EQ(HexOf(Bytes{255}), HexOf(AllBytesOf(stream.Get())));

    ComPtr<IStream> input = StreamWithBytes(Bytes{255});
    CStreamLoadExchange load(input.Get());
    ComPtr<IUnknown> loaded = CreateFont(L"Other", true);
    ASSERT_TRUE(load.ExchangeObject("Font", loaded, IID_IFont, defaultFont.Get()));
    EXPECT_EQ(defaultFont.Get(), loaded.Get());
}

TEST_F(StreamObjectItem, ObjectWithoutStreamPersistenceCannotBeSaved)
{
    CMemoryPropertyBag notPersistable;
    ComPtr<IUnknown> value = static_cast<IPropertyBag*>(&notPersistable);
    ComPtr<IStream> stream = NewMemoryStream();
    CStreamSaveExchange save(stream.Get());
    EXPECT_FALSE(save.ExchangeObject("Thing", value, IID_IUnknown, nullptr));
    EXPECT_FALSE(save.Succeeded());
    value.Reset();
}

TEST_F(StreamObjectItem, EmptyAndMissingStrings)
{
    ComPtr<IStream> stream = NewMemoryStream();
    CStreamSaveExchange save(stream.Get());
    std::string empty;
    ASSERT_TRUE(save.ExchangeString("Empty", empty, "x"));
    EXPECT_EQ(HexOf(Bytes{0, 0, 0, 0}), HexOf(AllBytesOf(stream.Get())));

    ComPtr<IStream> input = StreamWithBytes(Bytes{0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b'});
    CStreamLoadExchange load(input.Get());
    std::string text = "kept";
    ASSERT_TRUE(load.ExchangeString("Empty", text, "x"));
    EXPECT_EQ("", text);
    text = "kept";
    EXPECT_FALSE(load.ExchangeString("Short", text, "x"));
    EXPECT_EQ("kept", text);
}

} // namespace
