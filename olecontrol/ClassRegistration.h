// Registry entries of a control class and of a property-page class under a classes root key
// (HKEY_CLASSES_ROOT, or a user's classes for per-user registration), written and deleted for
// DllRegisterServer / DllUnregisterServer and DllInstall.
#pragma once

#include <windows.h>

struct ControlClassRegistration
{
    CLSID classId;
    const wchar_t* progId;
    UINT typeNameStringId;   // falls back to the CLSID text when the string is missing
    UINT toolboxBitmapId;
    DWORD miscStatus;
    GUID typeLibraryId;
    WORD typeLibraryMajor;
    WORD typeLibraryMinor;
    const wchar_t* threadingModel;  // e.g. L"Apartment"
};

struct PropertyPageRegistration
{
    CLSID classId;
    UINT typeNameStringId;
};

// S_OK, or SELFREG_E_CLASS when an entry could not be written (or `root` is null). `module` supplies the path
// (as its short form) and the type-name strings.
HRESULT RegisterControlClass(HINSTANCE module, const ControlClassRegistration& registration,
                             HKEY root = HKEY_CLASSES_ROOT);
// Keeps a 16-bit registration (an "InprocServer" subkey) and then deletes only the 32-bit
// server and toolbox entries; otherwise the whole class and ProgID trees. Missing keys count
// as deleted. S_OK or SELFREG_E_CLASS.
HRESULT UnregisterControlClass(const ControlClassRegistration& registration, HKEY root = HKEY_CLASSES_ROOT);

HRESULT RegisterPropertyPageClass(HINSTANCE module, const PropertyPageRegistration& registration,
                                  HKEY root = HKEY_CLASSES_ROOT);
HRESULT UnregisterPropertyPageClass(const PropertyPageRegistration& registration, HKEY root = HKEY_CLASSES_ROOT);
