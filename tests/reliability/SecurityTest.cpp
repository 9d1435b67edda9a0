// The control reads and writes files at whatever paths its host gives (a snapshot can land
// anywhere), so it must not claim to be safe for a web page to script or to initialise.
#include "support/OleTest.h"

#include <wrl/client.h>

#include <string>

#include "CorvaneIds.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kModulePath[] = L"" CORVANE_MODULE_PATH;
// {CB5BDC81-93C1-11CF-8F20-00805F2CD064}
constexpr IID kObjectSafety = {0xcb5bdc81, 0x93c1, 0x11cf, {0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0, 0x64}};
// The component categories a browser reads before it scripts or initialises a control.
constexpr GUID kSafeForScripting = {0x7dd95801, 0x9882, 0x11cf, {0x9f, 0xa9, 0x00, 0xaa, 0x00, 0x6c, 0x42, 0xc4}};
constexpr GUID kSafeForInitializing = {0x7dd95802, 0x9882, 0x11cf, {0x9f, 0xa9, 0x00, 0xaa, 0x00, 0x6c, 0x42, 0xc4}};

std::wstring TextOf(REFGUID id)
{
    wchar_t text[40] = {};
    StringFromGUID2(id, text, 40);
    return text;
}

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

using Security = OleTest;

TEST_F(Security, NoObjectSafetyAndNoSafeCategoriesAfterRegistration)
{
    HMODULE module = LoadLibraryW(kModulePath);
    ASSERT_NE(module, nullptr);
    auto registerServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);

    const std::wstring classKey = L"CLSID\\" + TextOf(CLSID_Corvane);
    ASSERT_TRUE(KeyExists(classKey + L"\\InprocServer32")) << "the class is registered where the test looks";
    for (const GUID* category : {&kSafeForScripting, &kSafeForInitializing})
        EXPECT_FALSE(KeyExists(classKey + L"\\Implemented Categories\\" + TextOf(*category)))
            << (category == &kSafeForScripting ? "safe for scripting" : "safe for initialising");

    ComPtr<IUnknown> control;
    ASSERT_EQ(CoCreateInstance(CLSID_Corvane, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control)), S_OK);
    ComPtr<IUnknown> safety;
    EXPECT_EQ(control->QueryInterface(kObjectSafety, reinterpret_cast<void**>(safety.GetAddressOf())), E_NOINTERFACE);
    EXPECT_EQ(safety, nullptr);
}

}  // namespace
