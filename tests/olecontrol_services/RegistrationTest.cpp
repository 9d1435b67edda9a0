// Registration helpers against the real registry of the private prefix, with the test
// server's module supplying the path, the type-name strings and the type library.
#include "ClassRegistration.h"
#include "ModulePath.h"
#include "support/OleTest.h"
#include "RegistryKeys.h"
#include "TestResourceIds.h"
#include "TypeLibraryRegistration.h"

#include <olectl.h>
#include <wrl/client.h>

namespace {

// {E11F1ECC-FCB4-4D64-B16D-D27FE9BB6033}
constexpr CLSID CLSID_RegisteredControl = {0xE11F1ECC, 0xFCB4, 0x4D64, {0xB1, 0x6D, 0xD2, 0x7F, 0xE9, 0xBB, 0x60, 0x33}};
// {994C2950-A901-4F3D-A290-01B7CCB05E22}
constexpr CLSID CLSID_RegisteredPage = {0x994C2950, 0xA901, 0x4F3D, {0xA2, 0x90, 0x01, 0xB7, 0xCC, 0xB0, 0x5E, 0x22}};
// {4272976D-6D00-458A-BB80-E5F9F6D6E9DB}
constexpr GUID LIBID_Registered = {0x4272976D, 0x6D00, 0x458A, {0xBB, 0x80, 0xE5, 0xF9, 0xF6, 0xD6, 0xE9, 0xDB}};
// The test server's own library id (tests/comserver/TestServer.idl).
constexpr GUID LIBID_TestServer = {0xC1DD63C2, 0x4ACF, 0x4838, {0x99, 0x97, 0xDB, 0xE3, 0x8C, 0x22, 0x06, 0xF1}};

const wchar_t kProgId[] = L"Corvane.RegistrationTest.1";

class Registration : public OleTest
{
protected:
    void SetUp() override
    {
        OleTest::SetUp();
        module = GetModuleHandleW(nullptr);
        control = {CLSID_RegisteredControl, kProgId, IDS_TEST_CONTROL_NAME, 1, 0x20191, LIBID_Registered, 1, 0,
                   L"Apartment"};
        page = {CLSID_RegisteredPage, IDS_TEST_PAGE_CAPTION};
    }
    void TearDown() override
    {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, ControlKey());
        DeleteRegistryTree(HKEY_CLASSES_ROOT, PageKey());
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kProgId);
        OleTest::TearDown();
    }
    std::wstring ControlKey() const { return L"CLSID\\" + GuidText(CLSID_RegisteredControl); }
    std::wstring PageKey() const { return L"CLSID\\" + GuidText(CLSID_RegisteredPage); }
    static std::wstring Read(const std::wstring& key, const wchar_t* name = nullptr)
    {
        std::wstring value = L"<missing>";
        GetRegistryString(HKEY_CLASSES_ROOT, key, name, value);
        return value;
    }

    HINSTANCE module = nullptr;
    ControlClassRegistration control = {};
    PropertyPageRegistration page = {};
};

TEST_F(Registration, ControlClassWritesEveryEntry)
{
    ASSERT_EQ(S_OK, RegisterControlClass(module, control));
    const std::wstring key = ControlKey();
    const std::wstring path = ModuleShortPath(module);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(L"Services Test Control", Read(key));
    EXPECT_EQ(kProgId, Read(key + L"\\ProgID"));
    EXPECT_EQ(path, Read(key + L"\\InprocServer32"));
    EXPECT_EQ(L"Apartment", Read(key + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(path + L", 1", Read(key + L"\\ToolboxBitmap32"));
    EXPECT_EQ(L"0", Read(key + L"\\MiscStatus"));
    EXPECT_EQ(L"131473", Read(key + L"\\MiscStatus\\1"));
    EXPECT_EQ(L"", Read(key + L"\\Control"));
    EXPECT_EQ(GuidText(LIBID_Registered), Read(key + L"\\TypeLib"));
    EXPECT_EQ(L"1.0", Read(key + L"\\Version"));
    EXPECT_EQ(L"Services Test Control", Read(kProgId));
    EXPECT_EQ(GuidText(CLSID_RegisteredControl), Read(std::wstring(kProgId) + L"\\CLSID"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, key + L"\\Insertable"));
    // Twice is the same.
    EXPECT_EQ(S_OK, RegisterControlClass(module, control));
    EXPECT_EQ(L"131473", Read(key + L"\\MiscStatus\\1"));
}

TEST_F(Registration, MissingTypeNameStringFallsBackToTheClassId)
{
    control.typeNameStringId = IDS_MISSING_STRING;
    ASSERT_EQ(S_OK, RegisterControlClass(module, control));
    EXPECT_EQ(GuidText(CLSID_RegisteredControl), Read(ControlKey()));
    EXPECT_EQ(GuidText(CLSID_RegisteredControl), Read(kProgId));
}

TEST_F(Registration, UnregisteringRemovesBothTreesAndMissingKeysCountAsDeleted)
{
    ASSERT_EQ(S_OK, RegisterControlClass(module, control));
    ASSERT_EQ(S_OK, UnregisterControlClass(control));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, ControlKey()));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, kProgId));
    EXPECT_EQ(S_OK, UnregisterControlClass(control));
    EXPECT_EQ(S_OK, UnregisterPropertyPageClass(page));
}

TEST_F(Registration, SixteenBitServerKeepsItsClassKey)
{
    ASSERT_EQ(S_OK, RegisterControlClass(module, control));
    ASSERT_TRUE(SetRegistryString(HKEY_CLASSES_ROOT, ControlKey() + L"\\InprocServer", nullptr, L"OLD16.DLL"));
    ASSERT_EQ(S_OK, UnregisterControlClass(control));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, ControlKey() + L"\\InprocServer32"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, ControlKey() + L"\\ToolboxBitmap32"));
    EXPECT_EQ(L"OLD16.DLL", Read(ControlKey() + L"\\InprocServer"));
    EXPECT_EQ(L"131473", Read(ControlKey() + L"\\MiscStatus\\1"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, kProgId));
}

TEST_F(Registration, ProgIdNowNamingAnotherClassIsLeftAlone)
{
    ASSERT_EQ(S_OK, RegisterControlClass(module, control));
    ASSERT_TRUE(SetRegistryString(HKEY_CLASSES_ROOT, std::wstring(kProgId) + L"\\CLSID", nullptr,
                                  GuidText(CLSID_RegisteredPage)));
    ASSERT_EQ(S_OK, UnregisterControlClass(control));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, ControlKey()));
    EXPECT_EQ(GuidText(CLSID_RegisteredPage), Read(std::wstring(kProgId) + L"\\CLSID"));
}

TEST_F(Registration, PropertyPageClassHasNameAndServerOnly)
{
    ASSERT_EQ(S_OK, RegisterPropertyPageClass(module, page));
    EXPECT_EQ(L"General", Read(PageKey()));
    EXPECT_EQ(ModuleShortPath(module), Read(PageKey() + L"\\InprocServer32"));
    EXPECT_EQ(L"<missing>", Read(PageKey() + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, PageKey() + L"\\ProgID"));
    ASSERT_EQ(S_OK, UnregisterPropertyPageClass(page));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, PageKey()));
}

TEST_F(Registration, TypeLibraryFromTheModulesOwnResource)
{
    HMODULE server = LoadLibraryW(L"CorvaneTestServer.dll");
    ASSERT_NE(nullptr, server);
    const std::wstring libraryKey = L"TypeLib\\" + GuidText(LIBID_TestServer) + L"\\1.0";

    // A library id that the resource does not carry: refused, nothing written.
    EXPECT_EQ(SELFREG_E_TYPELIB, RegisterModuleTypeLibrary(server, LIBID_Registered));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + GuidText(LIBID_Registered)));
    // A module without a type library.
    EXPECT_EQ(SELFREG_E_TYPELIB, RegisterModuleTypeLibrary(module, LIBID_TestServer));

    ASSERT_EQ(S_OK, RegisterModuleTypeLibrary(server, LIBID_TestServer));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, libraryKey));
    Microsoft::WRL::ComPtr<ITypeLib> registered;
    EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_TestServer, 1, 0, 0, &registered));
    registered.Reset();

    ASSERT_EQ(S_OK, UnregisterModuleTypeLibrary(LIBID_TestServer, 1, 0));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, libraryKey));
    // Already gone counts as unregistered.
    EXPECT_EQ(S_OK, UnregisterModuleTypeLibrary(LIBID_TestServer, 1, 0));
    FreeLibrary(server);
}

} // namespace
