// Entry points of the module that serves the framework's test control, made from the framework's
// factory, module counter and registration helpers as the product module is.
#include "ClassRegistration.h"
#include "ModuleEntryPoints.h"
#include "TestControl.h"
#include "TestControlIds.h"
#include "TestControlProgId.h"
#include "TypeLibraryRegistration.h"

namespace {

CModuleEntryPoints entryPoints;
CServerModule& controlModule = entryPoints.Module();

HRESULT CreateTestControl(REFIID iid, void** object)
{
    return COleControl::CreateObject<CTestControl>(
        iid, object, [](CTestControl& control) { control.moduleToken.emplace(controlModule); });
}

CClassFactory controlFactory(controlModule, CLSID_TestControl, &CreateTestControl);

// No type-name string in the module: the registration falls back to the class id text.
const ControlClassRegistration kControlRegistration = {
    CLSID_TestControl, kTestControlProgId, 1, 1, 0x20191, LIBID_FrameworkTestLib, 1, 0, L"Apartment"};

} // namespace

CORVANE_MODULE_ENTRY_POINTS(entryPoints, &controlFactory)

STDAPI DllRegisterServer()
{
    const HRESULT hr = RegisterModuleTypeLibrary(entryPoints.Instance(), LIBID_FrameworkTestLib);
    return FAILED(hr) ? hr : RegisterControlClass(entryPoints.Instance(), kControlRegistration);
}

STDAPI DllUnregisterServer()
{
    const HRESULT hr = UnregisterModuleTypeLibrary(LIBID_FrameworkTestLib, 1, 0);
    return FAILED(hr) ? hr : UnregisterControlClass(kControlRegistration);
}
