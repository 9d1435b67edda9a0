// Self-registration: the type library from the module's own resource, then the control's and the
// property page's class entries, machine-wide (regsvr32) or for the current user only
// (regsvr32 /n /i:user). Each step stops at its first failure with its own code.
#include "ClassRegistration.h"
#include "CorvaneClassConstants.h"
#include "CorvaneIds.h"
#include "CorvaneModule.h"
#include "CorvaneResourceIds.h"
#include "RegistrationScope.h"
#include "TypeLibraryRegistration.h"

#include <wchar.h>

namespace {

// The library declares English (United States); the system registers it under that locale, and
// unregistering under locale 0 would find nothing and fail.
constexpr LCID kLibraryLocale = 0x409;

const ControlClassRegistration kControlRegistration = {
    CLSID_Corvane,    kCorvaneProgId,       IDS_CORVANE_TYPENAME, IDB_CORVANE_TOOLBOX, kCorvaneMiscStatus,
    LIBID_CorvaneLib, kCorvaneLibraryMajor, kCorvaneLibraryMinor, kCorvaneThreadingModel};
// The page's ProgID names its class factory only; nothing of it goes into the registry.
const PropertyPageRegistration kPageRegistration = {CLSID_CorvanePropPage, IDS_CORVANE_PPG_TYPENAME};

HRESULT RegisterModule(RegistrationScope scope)
{
    HRESULT hr = RegisterModuleTypeLibrary(CorvaneInstance(), LIBID_CorvaneLib, scope);
    if (FAILED(hr))
        return hr;
    const ClassesRootKey root(scope);
    hr = RegisterControlClass(CorvaneInstance(), kControlRegistration, root.Get());
    if (FAILED(hr))
        return hr;
    return RegisterPropertyPageClass(CorvaneInstance(), kPageRegistration, root.Get());
}

HRESULT UnregisterModule(RegistrationScope scope)
{
    HRESULT hr = UnregisterModuleTypeLibrary(LIBID_CorvaneLib, kCorvaneLibraryMajor, kCorvaneLibraryMinor, kLibraryLocale, scope);
    if (FAILED(hr))
        return hr;
    const ClassesRootKey root(scope);
    hr = UnregisterControlClass(kControlRegistration, root.Get());
    if (FAILED(hr))
        return hr;
    return UnregisterPropertyPageClass(kPageRegistration, root.Get());
}

} // namespace

STDAPI DllRegisterServer()
{
    return RegisterModule(RegistrationScope::Machine);
}

STDAPI DllUnregisterServer()
{
    return UnregisterModule(RegistrationScope::Machine);
}

// "user" registers for the current user only; no text means machine-wide, as DllRegisterServer.
STDAPI DllInstall(BOOL install, PCWSTR commandLine)
{
    RegistrationScope scope = RegistrationScope::Machine;
    if (commandLine && *commandLine) {
        if (_wcsicmp(commandLine, L"user") != 0)
            return E_INVALIDARG;
        scope = RegistrationScope::CurrentUser;
    }
    return install ? RegisterModule(scope) : UnregisterModule(scope);
}
