// A module whose type library carries another LIBID refuses to register and writes no class.
#include "support/OleTest.h"

#include <olectl.h>

#include "ModuleFiles.h"

namespace {

const wchar_t* const kClassKeys[] = {L"CLSID\\{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}",
                                     L"CLSID\\{066E6EBB-9B8D-48CD-AFC5-3D127BEB5861}", L"Corvane.CorvaneCtrl.1"};

bool KeyExists(const wchar_t* key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

class OtherLibraryRegistration : public OleTest
{
};

TEST_F(OtherLibraryRegistration, RefusedWithTheTypeLibraryCodeAndNoClassEntries)
{
    for (const wchar_t* key : kClassKeys)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    HMODULE module = LoadLibraryW(kOtherLibraryModulePath);
    ASSERT_NE(module, nullptr);
    auto registerServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(registerServer, nullptr);
    EXPECT_EQ(registerServer(), static_cast<HRESULT>(0x80040200));
    EXPECT_EQ(registerServer(), SELFREG_E_TYPELIB);
    for (const wchar_t* key : kClassKeys)
        EXPECT_FALSE(KeyExists(key)) << std::string(key, key + wcslen(key));
    FreeLibrary(module);
}

} // namespace
