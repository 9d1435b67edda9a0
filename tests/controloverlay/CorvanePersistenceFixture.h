// The control's persistent properties for tests: a fixture that fills every item with a
// non-default value, checks the loaded or reset values, and the picture helpers they use.
#pragma once

#include "support/OleTest.h"

#include <olectl.h>

#include "CorvaneDispids.h"
#include "OwnedControl.h"
#include "support/DispatchCalls.h"
#include "support/MemoryStreams.h"

using Microsoft::WRL::ComPtr;


constexpr OLE_COLOR kSavedColor = 0x00123456;
constexpr SIZEL kSavedExtent = {2000, 1000};
constexpr LONG kBitmapWidth = 3;
constexpr LONG kBitmapHeight = 2;

inline ComPtr<IPicture> PictureOf(IUnknown* object)
{
    ComPtr<IPicture> picture;
    if (object)
        object->QueryInterface(IID_PPV_ARGS(&picture));
    return picture;
}

inline SHORT PictureType(IUnknown* object)
{
    SHORT type = -1;
    if (ComPtr<IPicture> picture = PictureOf(object))
        picture->get_Type(&type);
    return type;
}

inline OLE_XSIZE_HIMETRIC PictureWidth(IUnknown* object)
{
    OLE_XSIZE_HIMETRIC width = 0;
    if (ComPtr<IPicture> picture = PictureOf(object))
        picture->get_Width(&width);
    return width;
}

// A 24-bit picture: the form the platform's standard picture reads back from its own save.
inline ComPtr<IUnknown> SmallBitmapPicture()
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kBitmapWidth;
    info.bmiHeader.biHeight = kBitmapHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof(description);
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ComPtr<IUnknown> picture;
    OleCreatePictureIndirect(&description, IID_IPicture, TRUE, reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

inline ComPtr<IUnknown> BoldArial()
{
    FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Arial"), {{120000, 0}}, FW_BOLD,
                            ANSI_CHARSET, FALSE, FALSE, FALSE};
    ComPtr<IUnknown> font;
    OleCreateFontIndirect(&description, IID_IUnknown, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

// What an object's own stream persistence writes, without a class id in front.
inline Bytes OwnDataOf(IUnknown* object)
{
    ComPtr<IPersistStream> persist;
    ComPtr<IStream> stream = NewMemoryStream();
    EXPECT_EQ(object->QueryInterface(IID_PPV_ARGS(&persist)), S_OK);
    EXPECT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    return AllBytesOf(stream.Get());
}

// The stream form of a picture item: marker 0, the class, then the object's own data.
inline Bytes WithPicture(REFCLSID classId, const Bytes& data)
{
    Bytes bytes = {0};
    AppendBytes(bytes, &classId, sizeof(classId));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

// {9c1d3f52-6a0e-4b8e-9d43-5f2a7c81e0b4}: a class of this test only.
constexpr CLSID kOtherPictureClass = {0x9c1d3f52, 0x6a0e, 0x4b8e, {0x9d, 0x43, 0x5f, 0x2a, 0x7c, 0x81, 0xe0, 0xb4}};

// Makes empty standard pictures for kOtherPictureClass and counts them.
class PictureClassFactory final : public IClassFactory
{
public:
    int made = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        ++made;
        PICTDESC description = {sizeof(PICTDESC), PICTYPE_NONE, {}};
        return OleCreatePictureIndirect(&description, iid, TRUE, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

class CorvanePersistence : public OleTest
{
protected:
    // A new control, as a container makes one: created, then initialised without saved data.
    static void InitNew(const OwnedControl& control)
    {
        ASSERT_EQ(control.As<IPersistStreamInit>()->InitNew(), S_OK);
    }

    // Non-default values for every item, put the way a host puts them.
    static void Fill(const OwnedControl& control)
    {
        ComPtr<IDispatch> dispatch = control.As<IDispatch>();
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_CORVANE_XLOOP, Variant::Bool(true)).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_CORVANE_XMUTE, Variant::Bool(true)).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_CORVANE_XASPECTRATIO, Variant::Bool(true)).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_CORVANE_XEFFECTSPEED, Variant(500L)).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_BACKCOLOR, Variant(static_cast<long>(kSavedColor))).hr, S_OK);
        ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_APPEARANCE, Variant(1L)).hr, S_OK);
        SIZEL extent = kSavedExtent;
        ASSERT_EQ(control.As<IOleObject>()->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
        control->controlPicture = SmallBitmapPicture();
        ASSERT_EQ(PictureType(control->controlPicture.Get()), PICTYPE_BITMAP);
    }

    static void ExpectFilled(const CCorvaneCtrl& control)
    {
        EXPECT_EQ(control.XLoop, TRUE);
        EXPECT_EQ(control.XMute, TRUE);
        EXPECT_EQ(control.XAspectRatio, TRUE);
        EXPECT_EQ(control.XEffectSpeed, 500);
        EXPECT_EQ(control.GetBackColor(), kSavedColor);
        EXPECT_EQ(control.GetAppearance(), 1);
        EXPECT_EQ(control.GetExtent().cx, kSavedExtent.cx);
        EXPECT_EQ(control.GetExtent().cy, kSavedExtent.cy);
        EXPECT_EQ(control.loadedVersion, 0x00010000u);
        EXPECT_EQ(PictureType(control.controlPicture.Get()), PICTYPE_BITMAP);
        EXPECT_EQ(PictureWidth(control.controlPicture.Get()), PictureWidth(SmallBitmapPicture().Get()));
        // Loading runs no change handler: the aspect ratio's would have recorded its refusal.
        EXPECT_EQ(control.engine.LastError(), "");
    }

    static void ExpectDefaults(const CCorvaneCtrl& control)
    {
        const OwnedControl fresh;
        InitNew(fresh);
        EXPECT_EQ(control.XLoop, FALSE);
        EXPECT_EQ(control.XMute, FALSE);
        EXPECT_EQ(control.XAspectRatio, FALSE);
        EXPECT_EQ(control.XEffectSpeed, 125);
        EXPECT_EQ(control.GetBackColor(), fresh->GetBackColor());
        EXPECT_EQ(control.GetAppearance(), 0);
        EXPECT_EQ(PictureType(control.controlPicture.Get()), PICTYPE_NONE) << "the reset's empty picture";
        EXPECT_FALSE(control.IsModified());
    }

    static Bytes SaveToStream(const OwnedControl& control)
    {
        ComPtr<IStream> stream = NewMemoryStream();
        EXPECT_EQ(control.As<IPersistStreamInit>()->Save(stream.Get(), TRUE), S_OK);
        return AllBytesOf(stream.Get());
    }

    // Items 3 to 11 as a new control saves them.
    static void AppendDefaultsAfterPicture(Bytes& bytes, const CCorvaneCtrl& control)
    {
        AppendBytes(bytes, "\0\0\0", 3);                                // XLoop, XMute, XAspectRatio
        AppendLittleEndian(bytes, 125, 4);                              // XEffectSpeed
        AppendLittleEndian(bytes, static_cast<ULONG>(control.GetExtent().cx), 4);
        AppendLittleEndian(bytes, static_cast<ULONG>(control.GetExtent().cy), 4);
        AppendLittleEndian(bytes, 0x81, 4);                             // _StockProps
        AppendLittleEndian(bytes, control.GetBackColor(), 4);
        AppendLittleEndian(bytes, 0, 2);                                // Appearance
    }
};
