#include "ClassRegistration.h"

#include "ComBoundary.h"
#include "ModulePath.h"
#include "RegistryKeys.h"

#include <olectl.h>

#include <string>

namespace {

std::wstring ClassKey(REFCLSID classId)
{
    return L"CLSID\\" + GuidText(classId);
}

std::wstring TypeName(HINSTANCE module, UINT stringId, REFCLSID classId)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadString hands out a pointer to the resource itself.
    int length = LoadStringW(module, stringId, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return GuidText(classId);
    return std::wstring(text, static_cast<size_t>(length));
}

// Writes the class key, its name and its in-process server entry.
bool WriteServerEntries(HKEY root, HINSTANCE module, REFCLSID classId, UINT typeNameId,
                        const wchar_t* threadingModel)
{
    const std::wstring key = ClassKey(classId);
    const std::wstring path = ModuleShortPath(module);
    if (path.empty() || !SetRegistryString(root, key, nullptr, TypeName(module, typeNameId, classId)) ||
        !SetRegistryString(root, key + L"\\InprocServer32", nullptr, path))
        return false;
    return !threadingModel ||
           SetRegistryString(root, key + L"\\InprocServer32", L"ThreadingModel", threadingModel);
}

} // namespace

HRESULT RegisterControlClass(HINSTANCE module, const ControlClassRegistration& registration, HKEY root)
{
    return CallWithoutThrowing(SELFREG_E_CLASS, [&]() -> HRESULT {
        if (!root)
            return SELFREG_E_CLASS;
        const std::wstring key = ClassKey(registration.classId);
        const std::wstring classText = GuidText(registration.classId);
        const std::wstring typeName = TypeName(module, registration.typeNameStringId, registration.classId);
        const std::wstring path = ModuleShortPath(module);
        const std::wstring progId = registration.progId ? registration.progId : L"";
        const std::wstring version =
            std::to_wstring(registration.typeLibraryMajor) + L"." + std::to_wstring(registration.typeLibraryMinor);

        bool written =
            WriteServerEntries(root, module, registration.classId, registration.typeNameStringId,
                               registration.threadingModel) &&
            SetRegistryString(root, key + L"\\ToolboxBitmap32", nullptr,
                              path + L", " + std::to_wstring(registration.toolboxBitmapId)) &&
            SetRegistryString(root, key + L"\\MiscStatus", nullptr, L"0") &&
            SetRegistryString(root, key + L"\\MiscStatus\\1", nullptr,
                              std::to_wstring(registration.miscStatus)) &&
            SetRegistryString(root, key + L"\\Control", nullptr, L"") &&
            SetRegistryString(root, key + L"\\TypeLib", nullptr, GuidText(registration.typeLibraryId)) &&
            SetRegistryString(root, key + L"\\Version", nullptr, version);
        if (written && !progId.empty())
            written = SetRegistryString(root, key + L"\\ProgID", nullptr, progId) &&
                      SetRegistryString(root, progId, nullptr, typeName) &&
                      SetRegistryString(root, progId + L"\\CLSID", nullptr, classText);
        return written ? S_OK : SELFREG_E_CLASS;
    });
}

HRESULT UnregisterControlClass(const ControlClassRegistration& registration, HKEY root)
{
    return CallWithoutThrowing(SELFREG_E_CLASS, [&]() -> HRESULT {
        if (!root)
            return SELFREG_E_CLASS;
        const std::wstring key = ClassKey(registration.classId);
        if (RegistryKeyExists(root, key + L"\\InprocServer")) {
            // A 16-bit server shares the class key: remove only what the 32-bit module wrote.
            bool deleted = DeleteRegistryTree(root, key + L"\\InprocServer32") &&
                           DeleteRegistryTree(root, key + L"\\ToolboxBitmap32");
            return deleted ? S_OK : SELFREG_E_CLASS;
        }
        bool deleted = DeleteRegistryTree(root, key);
        if (deleted && registration.progId && *registration.progId) {
            // The ProgID may meanwhile name another class: leave that one in place.
            std::wstring named;
            bool namesOther = GetRegistryString(root, std::wstring(registration.progId) + L"\\CLSID",
                                                nullptr, named) &&
                              _wcsicmp(named.c_str(), GuidText(registration.classId).c_str()) != 0;
            if (!namesOther)
                deleted = DeleteRegistryTree(root, registration.progId);
        }
        return deleted ? S_OK : SELFREG_E_CLASS;
    });
}

HRESULT RegisterPropertyPageClass(HINSTANCE module, const PropertyPageRegistration& registration, HKEY root)
{
    return CallWithoutThrowing(SELFREG_E_CLASS, [&]() -> HRESULT {
        bool written = root && WriteServerEntries(root, module, registration.classId, registration.typeNameStringId, nullptr);
        return written ? S_OK : SELFREG_E_CLASS;
    });
}

HRESULT UnregisterPropertyPageClass(const PropertyPageRegistration& registration, HKEY root)
{
    return CallWithoutThrowing(SELFREG_E_CLASS, [&]() -> HRESULT {
        return root && DeleteRegistryTree(root, ClassKey(registration.classId)) ? S_OK : SELFREG_E_CLASS;
    });
}
