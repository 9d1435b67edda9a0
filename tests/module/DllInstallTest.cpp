// DllInstall's command text: none registers and unregisters machine-wide as DllRegisterServer and
// DllUnregisterServer do; a text other than "user" is refused before anything is written.
// (regsvr32 /n /i:user itself: tests/release/per-user-registration.sh.)
#include "support/OleTest.h"

#include "ModuleFiles.h"

#include <string>

namespace {

const wchar_t kControlServerKey[] = L"CLSID\\{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}\\InprocServer32";

bool KeyExists(HKEY root, const std::wstring& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class DllInstallText : public OleTest
{
protected:
    using Install = HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR);
    HMODULE module = nullptr;
    Install install = nullptr;

    void SetUp() override
    {
        OleTest::SetUp();
        module = LoadLibraryW(kCorvaneModulePath);
        ASSERT_NE(module, nullptr);
        install = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(module, "DllInstall")));
        ASSERT_NE(install, nullptr);
    }
};

TEST_F(DllInstallText, NoTextRegistersAndUnregistersMachineWide)
{
    ASSERT_EQ(install(TRUE, nullptr), S_OK);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\") + kControlServerKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + kControlServerKey));
    ASSERT_EQ(install(FALSE, L""), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kControlServerKey));
}

TEST_F(DllInstallText, AnotherTextIsRefusedAndWritesNothing)
{
    for (const wchar_t* text : {L"machine", L"user "}) {
        EXPECT_EQ(install(TRUE, text), E_INVALIDARG) << text;
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kControlServerKey)) << text;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + kControlServerKey)) << text;
    }
}

} // namespace
