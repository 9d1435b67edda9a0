// Corvane.OCX as the loader sees it: its export table, and its resources read back through the
// platform (strings, toolbox bitmap, icon group, version information, both dialogs created and
// their controls walked in tab order).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "CorvaneResourceIds.h"
#include "ModuleFiles.h"

namespace {

std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

struct DialogControl
{
    const char* className;
    const char* text;  // nullptr: not compared (an icon's window text)
    WORD id;           // a dialog template's ids are 16 bits: -1 reads back as 0xFFFF
    RECT units;        // left, top, width, height in dialog units
    LONG style;        // style bits that must be set
};

class ModuleFile : public ::testing::Test
{
protected:
    HMODULE module = nullptr;

    void SetUp() override
    {
        module = LoadLibraryW(kCorvaneModulePath);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { FreeLibrary(module); }

    // Creates dialog `id` and compares its controls, in tab order, with `expected`.
    HWND ExpectDialog(UINT id, const std::vector<DialogControl>& expected, HWND parent = nullptr)
    {
        HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(id), parent, nullptr, 0);
        EXPECT_NE(dialog, nullptr) << "dialog " << id;
        if (!dialog)
            return nullptr;
        HWND child = GetWindow(dialog, GW_CHILD);
        for (const DialogControl& control : expected) {
            EXPECT_NE(child, nullptr) << "dialog " << id << " lacks " << control.className;
            if (!child)
                break;
            EXPECT_EQ(ClassOf(child), control.className);
            if (control.text) {
                EXPECT_EQ(WindowText(child), control.text);
            }
            EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(child)), control.id) << control.className;
            // Position and size are converted each on its own, as the dialog manager does.
            RECT pixels = control.units;
            MapDialogRect(dialog, &pixels);
            RECT placed = {};
            GetWindowRect(child, &placed);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
            EXPECT_EQ(placed.left, pixels.left) << control.className;
            EXPECT_EQ(placed.top, pixels.top) << control.className;
            // Static icons size themselves to the icon; the others keep the template's size.
            if (ClassOf(child) != "Static" || !(GetWindowLongA(child, GWL_STYLE) & SS_ICON)) {
                EXPECT_EQ(placed.right - placed.left, pixels.right) << control.className;
                EXPECT_EQ(placed.bottom - placed.top, pixels.bottom) << control.className;
            }
            EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & control.style, control.style) << control.className;
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "dialog " << id << " has more controls";
        return dialog;
    }
};

TEST_F(ModuleFile, ExportsByNameAtTheirOrdinals)
{
    // The loaded image keeps the export directory at its relative addresses.
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(directory.VirtualAddress, 0u);
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + exports->Name), "Corvane.OCX");
    EXPECT_EQ(exports->NumberOfFunctions, 5u);
    ASSERT_EQ(exports->NumberOfNames, 5u);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    // The name table is sorted; per-user registration came later, at ordinal 5.
    const std::pair<const char*, DWORD> expected[] = {{"DllCanUnloadNow", 1},
                                                      {"DllGetClassObject", 2},
                                                      {"DllInstall", 5},
                                                      {"DllRegisterServer", 3},
                                                      {"DllUnregisterServer", 4}};
    for (DWORD i = 0; i < 5; ++i) {
        const char* name = reinterpret_cast<const char*>(base + names[i]);
        EXPECT_STREQ(name, expected[i].first);
        EXPECT_EQ(exports->Base + ordinals[i], expected[i].second) << name;
        FARPROC byOrdinal = GetProcAddress(module, MAKEINTRESOURCEA(expected[i].second));
        EXPECT_NE(byOrdinal, nullptr) << name;
        EXPECT_EQ(byOrdinal, GetProcAddress(module, name)) << name;
    }
}

TEST_F(ModuleFile, StringsBitmapAndIconGroup)
{
    const std::pair<UINT, const char*> strings[] = {
        {IDS_CORVANE_TYPENAME, "Corvane Control"},
        {IDS_CORVANE_PPG_TYPENAME, "Corvane Property Page"},
        {IDS_CORVANE_PPG_CAPTION, "General"}};
    for (const auto& [id, text] : strings) {
        char loaded[128] = {};
        EXPECT_GT(LoadStringA(module, id, loaded, sizeof(loaded)), 0) << id;
        EXPECT_STREQ(loaded, text);
    }

    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(IDB_CORVANE_TOOLBOX), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, 16);
    EXPECT_EQ(section.dsBm.bmHeight, 16);
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    DeleteObject(bitmap);

    // The icon group directory: width, height, colour count and bit depth of each image, in order.
#pragma pack(push, 2)
    struct GroupEntry { BYTE width, height, colours, reserved; WORD planes, bits; DWORD bytes; WORD id; };
    struct GroupHeader { WORD reserved, type, count; };
#pragma pack(pop)
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDI_CORVANE_ICON), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(header, nullptr);
    const std::pair<int, int> images[] = {{48, 8}, {32, 8}, {128, 32}, {64, 32}, {48, 32}, {32, 32}};
    ASSERT_EQ(header->count, 6);
    const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    for (int i = 0; i < 6; ++i) {
        const int side = entries[i].width == 0 ? 256 : entries[i].width;
        EXPECT_EQ(side, images[i].first) << "image " << i;
        EXPECT_EQ(entries[i].height == 0 ? 256 : entries[i].height, images[i].first) << "image " << i;
        EXPECT_EQ(entries[i].bits, images[i].second) << "image " << i;
        HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_CORVANE_ICON), IMAGE_ICON, side,
                                                   side, LR_DEFAULTCOLOR));
        EXPECT_NE(icon, nullptr) << "image " << i;
        DestroyIcon(icon);
    }
}

TEST_F(ModuleFile, VersionInformation)
{
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(module, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00030000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);

    const std::pair<const char*, const char*> strings[] = {
        {"Comments", ""},
        {"CompanyName", ""},
        {"FileDescription", "Corvane ActiveX Control Module"},
        {"FileVersion", "3, 0, 0, 0"},
        {"InternalName", "Corvane"},
        {"LegalCopyright", "Copyright (C) 2026 Quendra Software"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "Corvane.OCX"},
        {"PrivateBuild", ""},
        {"ProductName", "Corvane ActiveX Control Module"},
        {"ProductVersion", "3, 0, 0, 0"},
        {"SpecialBuild", ""},
        {"OLESelfRegister", ""},
    };
    for (const auto& [name, expected] : strings) {
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        char* value = nullptr;
        length = 0;
        EXPECT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
        EXPECT_EQ(value ? std::string(value) : std::string("<missing>"), expected) << name;
    }
}

TEST_F(ModuleFile, AboutBoxAndPropertyPageDialogs)
{
    HWND about = ExpectDialog(IDD_ABOUTBOX_CORVANE,
                              {{"Static", nullptr, 0xFFFF, {10, 10, 20, 20}, SS_ICON},
                               {"Static", "Quendra Corvane ActiveX Control, Ver. 3.0", 0xFFFF, {40, 10, 170, 8}, 0},
                               {"Static", "Copyright (C) 2026 Quendra Software", 0xFFFF, {40, 25, 170, 8}, 0},
                               {"Button", "OK", IDOK, {221, 7, 32, 14}, BS_DEFPUSHBUTTON}});
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), "About Quendra Corvane ActiveX Control");
    const LONG aboutStyle = GetWindowLongA(about, GWL_STYLE);
    EXPECT_EQ(aboutStyle & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
              WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    RECT client = {};
    GetClientRect(about, &client);
    RECT units = {0, 0, 260, 55};
    MapDialogRect(about, &units);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    DestroyWindow(about);

    HWND owner = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 600, 300, nullptr, nullptr, nullptr, nullptr);
    HWND page = ExpectDialog(
        IDD_PROPPAGE_CORVANE,
        {{"Static", "All Properties of Quendra Corvane ActiveX Control show on the Appliction Properties Window!",
          0xFFFF, {20, 15, 205, 23}, 0}},
        owner);
    ASSERT_NE(page, nullptr);
    const LONG pageStyle = GetWindowLongA(page, GWL_STYLE);
    EXPECT_TRUE(pageStyle & WS_CHILD);
    EXPECT_FALSE((pageStyle & WS_CAPTION) == WS_CAPTION);
    GetClientRect(page, &client);
    units = {0, 0, 250, 62};
    MapDialogRect(page, &units);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    DestroyWindow(page);
    DestroyWindow(owner);
}

} // namespace
