#include "TypeLibraryRegistration.h"

#include "ComBoundary.h"
#include "ModulePath.h"
#include "RegistryKeys.h"

#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

// The per-user registration calls are in oleaut32 but not in the MinGW headers.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* fullPath, OLECHAR* helpDir);
extern "C" HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libraryId, WORD major, WORD minor, LCID locale,
                                                   SYSKIND systemKind);

namespace {

bool HasLibraryId(ITypeLib* library, REFGUID expected)
{
    TLIBATTR* attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes)) || !attributes)
        return false;
    bool matches = IsEqualGUID(attributes->guid, expected) != FALSE;
    library->ReleaseTLibAttr(attributes);
    return matches;
}

} // namespace

HRESULT RegisterModuleTypeLibrary(HINSTANCE module, REFGUID expectedLibraryId, RegistrationScope scope)
{
    return CallWithoutThrowing(SELFREG_E_TYPELIB, [&]() -> HRESULT {
        std::wstring path = ModuleFullPath(module);
        if (path.empty())
            return SELFREG_E_TYPELIB;
        Microsoft::WRL::ComPtr<ITypeLib> library;
        if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library)) || !HasLibraryId(library.Get(), expectedLibraryId))
            return SELFREG_E_TYPELIB;
        const HRESULT registered = scope == RegistrationScope::CurrentUser
                                       ? RegisterTypeLibForUser(library.Get(), &path[0], nullptr)
                                       : RegisterTypeLib(library.Get(), &path[0], nullptr);
        if (FAILED(registered))
            return SELFREG_E_TYPELIB;
        return S_OK;
    });
}

HRESULT UnregisterModuleTypeLibrary(REFGUID libraryId, WORD major, WORD minor, LCID locale, RegistrationScope scope)
{
    return CallWithoutThrowing(SELFREG_E_TYPELIB, [&]() -> HRESULT {
        // Hex version, as the system writes it ("1.0", "1.a").
        wchar_t version[16] = {};
        wsprintfW(version, L"%x.%x", major, minor);
        // The merged classes view: it shows the user's registration as well as the machine's.
        if (!RegistryKeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + GuidText(libraryId) + L"\\" + version))
            return S_OK;
#ifdef _WIN64
        const SYSKIND systemKind = SYS_WIN64;
#else
        const SYSKIND systemKind = SYS_WIN32;
#endif
        const HRESULT removed = scope == RegistrationScope::CurrentUser
                                    ? UnRegisterTypeLibForUser(libraryId, major, minor, locale, systemKind)
                                    : UnRegisterTypeLib(libraryId, major, minor, locale, systemKind);
        return SUCCEEDED(removed) ? S_OK : SELFREG_E_TYPELIB;
    });
}
