// A tiny persistent object for the persistence tests: one item of every exchange type, and a
// record of what the framework asked of it.
#pragma once

#include "PersistenceInterfaces.h"
#include "PropExchange.h"

#include <wrl/client.h>

#include <string>

// {BCC37050-C5B2-4F52-9114-50792780699C}
constexpr CLSID CLSID_TestPersistentControl = {0xBCC37050, 0xC5B2, 0x4F52, {0x91, 0x14, 0x50, 0x79, 0x27, 0x80, 0x69, 0x9C}};

constexpr ULONG kTestDataVersion = 0x00010000;
constexpr LONG kDefaultSpeed = 125;
constexpr ULONG kDefaultMask = 0x81;
constexpr OLE_COLOR kDefaultColor = 0x8000000F;
constexpr SHORT kDefaultAppearance = 1;
constexpr char kDefaultCaption[] = "Caption";

class CTestPersistentControl final : public IUnknown, public CPersistentObject
{
public:
    CTestPersistentControl();

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    IUnknown* GetControllingUnknown() override { return this; }
    CLSID GetPersistClassId() const override { return CLSID_TestPersistentControl; }
    // Items in order: "_Version", "Picture", "Loop", "Mute", "Speed", "_ExtentX", "_ExtentY",
    // "Mask", "BackColor", "Caption", "Appearance".
    void DoPropExchange(CPropExchange& exchange) override;
    void OnResetState() override;
    bool IsModified() const override { return modified; }
    void SetModifiedFlag(bool value) override { modified = value; }
    void OnPropertiesLoaded() override { ++loadedNotifications; }

    // The persistent state, public for the tests to set and inspect.
    ULONG loadedVersion = 0;
    Microsoft::WRL::ComPtr<IUnknown> picture;
    BOOL loop = FALSE;
    BOOL mute = FALSE;
    LONG speed = kDefaultSpeed;
    LONG extentX = 2540;
    LONG extentY = 1270;
    ULONG mask = kDefaultMask;
    OLE_COLOR backColor = kDefaultColor;
    std::string caption = kDefaultCaption;
    SHORT appearance = kDefaultAppearance;

    bool modified = false;
    int resetCount = 0;
    int loadedNotifications = 0;
    // False when the exchange routine saw any item call fail.
    bool lastExchangeClean = true;

    CPersistenceInterfaces persistence;
    LONG references = 1;
};

// Sets every item to a value that differs from its default.
void FillWithNonDefaults(CTestPersistentControl& control);
// Expects every item but the picture and the extent to hold its default (a reset keeps the extent).
void ExpectDefaultValues(const CTestPersistentControl& control);
// An empty standard picture (picture type none).
Microsoft::WRL::ComPtr<IUnknown> CreateEmptyPicture();
