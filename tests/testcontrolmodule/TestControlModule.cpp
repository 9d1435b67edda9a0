// Entry points of the module that serves the framework's test control, made from the framework's
// factory, module counter and registration helpers as the product module is.
#include "ClassFactory.h"
#include "ClassRegistration.h"
#include "TestControl.h"
#include "TestControlIds.h"
#include "TestControlProgId.h"
#include "TypeLibraryRegistration.h"

namespace {

HINSTANCE moduleInstance = nullptr;
CServerModule controlModule;

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

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        moduleInstance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return controlModule.CanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object)
{
    return GetClassObjectFrom({&controlFactory}, classId, iid, object);
}

STDAPI DllRegisterServer()
{
    const HRESULT hr = RegisterModuleTypeLibrary(moduleInstance, LIBID_FrameworkTestLib);
    return FAILED(hr) ? hr : RegisterControlClass(moduleInstance, kControlRegistration);
}

STDAPI DllUnregisterServer()
{
    const HRESULT hr = UnregisterModuleTypeLibrary(LIBID_FrameworkTestLib, 1, 0);
    return FAILED(hr) ? hr : UnregisterControlClass(kControlRegistration);
}
