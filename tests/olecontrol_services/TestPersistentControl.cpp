#include "TestPersistentControl.h"

#include "ResetExchange.h"

#include <gtest/gtest.h>

#include <olectl.h>

using Microsoft::WRL::ComPtr;

CTestPersistentControl::CTestPersistentControl() : persistence(*this) {}

STDMETHODIMP CTestPersistentControl::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    return persistence.FindInterface(iid, object);
}

STDMETHODIMP_(ULONG) CTestPersistentControl::AddRef()
{
    return static_cast<ULONG>(++references);
}

STDMETHODIMP_(ULONG) CTestPersistentControl::Release()
{
    // Lives on the test's stack: the count is only observed, never used to delete.
    return static_cast<ULONG>(--references);
}

void CTestPersistentControl::DoPropExchange(CPropExchange& exchange)
{
    bool clean = exchange.ExchangeVersion(loadedVersion, kTestDataVersion);
    clean &= exchange.ExchangeObject("Picture", picture, IID_IPicture, nullptr);
    clean &= exchange.ExchangeBool("Loop", loop, FALSE);
    clean &= exchange.ExchangeBool("Mute", mute, FALSE);
    clean &= exchange.ExchangeLong("Speed", speed, kDefaultSpeed);
    clean &= exchange.ExchangeLongKeptOnReset("_ExtentX", extentX);
    clean &= exchange.ExchangeLongKeptOnReset("_ExtentY", extentY);
    clean &= exchange.ExchangeULong("Mask", mask, kDefaultMask);
    clean &= exchange.ExchangeColor("BackColor", backColor, kDefaultColor);
    clean &= exchange.ExchangeString("Caption", caption, kDefaultCaption);
    clean &= exchange.ExchangeShort("Appearance", appearance, kDefaultAppearance);
    lastExchangeClean = clean;
}

void CTestPersistentControl::OnResetState()
{
    // As a real control does: every item to its default, then a fresh empty picture.
    ++resetCount;
    CResetExchange reset;
    DoPropExchange(reset);
    picture = CreateEmptyPicture();
}

ComPtr<IUnknown> CreateEmptyPicture()
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof(description);
    description.picType = PICTYPE_NONE;
    ComPtr<IUnknown> created;
    OleCreatePictureIndirect(&description, IID_IPicture, TRUE, reinterpret_cast<void**>(created.GetAddressOf()));
    return created;
}

void FillWithNonDefaults(CTestPersistentControl& control)
{
    control.picture.Reset();
    control.loop = TRUE;
    control.mute = FALSE;
    control.speed = -40000;
    control.extentX = 9999;
    control.extentY = -3;
    control.mask = 0xFFFFFFFE;
    control.backColor = 0x00123456;
    control.caption = "Layer \xe9t\xe9 two";
    control.appearance = -2;
}

void ExpectDefaultValues(const CTestPersistentControl& control)
{
    EXPECT_EQ(kTestDataVersion, control.loadedVersion);
    EXPECT_FALSE(control.loop);
    EXPECT_FALSE(control.mute);
    EXPECT_EQ(kDefaultSpeed, control.speed);
    EXPECT_EQ(kDefaultMask, control.mask);
    EXPECT_EQ(kDefaultColor, control.backColor);
    EXPECT_EQ(kDefaultCaption, control.caption);
    EXPECT_EQ(kDefaultAppearance, control.appearance);
}
