// Self-registration: the type library from the module's own resource, then the control's and the
// property page's class entries. Each step stops at its first failure with its own code.
#include "ClassRegistration.h"
#include "CorvaneIds.h"
#include "CorvaneModule.h"
#include "CorvaneResourceIds.h"
#include "TypeLibraryRegistration.h"

namespace {

// OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST
constexpr DWORD kMiscStatus = 0x20191;
constexpr WORD kLibraryMajor = 1;
constexpr WORD kLibraryMinor = 0;
// The library declares English (United States); the system registers it under that locale, and
// unregistering under locale 0 would find nothing and fail.
constexpr LCID kLibraryLocale = 0x409;

const ControlClassRegistration kControlRegistration = {
    CLSID_Corvane,  L"Corvane.CorvaneCtrl.1", IDS_CORVANE_TYPENAME, IDB_CORVANE_TOOLBOX, kMiscStatus,
    LIBID_CorvaneLib, kLibraryMajor,        kLibraryMinor,        L"Apartment"};
// The page's ProgID names its class factory only; nothing of it goes into the registry.
const PropertyPageRegistration kPageRegistration = {CLSID_CorvanePropPage, IDS_CORVANE_PPG_TYPENAME};

} // namespace

STDAPI DllRegisterServer()
{
    HRESULT hr = RegisterModuleTypeLibrary(CorvaneInstance(), LIBID_CorvaneLib);
    if (FAILED(hr))
        return hr;
    hr = RegisterControlClass(CorvaneInstance(), kControlRegistration);
    if (FAILED(hr))
        return hr;
    return RegisterPropertyPageClass(CorvaneInstance(), kPageRegistration);
}

STDAPI DllUnregisterServer()
{
    HRESULT hr = UnregisterModuleTypeLibrary(LIBID_CorvaneLib, kLibraryMajor, kLibraryMinor, kLibraryLocale);
    if (FAILED(hr))
        return hr;
    hr = UnregisterControlClass(kControlRegistration);
    if (FAILED(hr))
        return hr;
    return UnregisterPropertyPageClass(kPageRegistration);
}
