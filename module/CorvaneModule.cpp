// The module object and its two class factories: the control and its property page.
#include "CorvaneModule.h"

#include "ClassFactory.h"
#include "CorvaneCtrl.h"
#include "CorvaneIds.h"
#include "CorvanePropPage.h"

#include <new>

namespace {

HINSTANCE moduleInstance = nullptr;
CServerModule serverModule;

HRESULT CreateControl(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    auto* control = new (std::nothrow) CCorvaneCtrl();
    if (!control)
        return E_OUTOFMEMORY;
    control->moduleToken.emplace(serverModule);
    IUnknown* unknown = control->GetControllingUnknown();
    const HRESULT hr = unknown->QueryInterface(iid, object);
    unknown->Release();  // the reference the control was born with
    return hr;
}

HRESULT CreatePropertyPage(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    auto* page = new (std::nothrow) CCorvanePropPage(serverModule, moduleInstance);
    if (!page)
        return E_OUTOFMEMORY;
    const HRESULT hr = page->QueryInterface(iid, object);
    page->Release();
    return hr;
}

// Made at load, destroyed at unload in reverse order: the control's ("Corvane.CorvaneCtrl.1")
// then the property page's ("Corvane.CorvanePropPage.1").
CClassFactory controlFactory(serverModule, CLSID_Corvane, &CreateControl);
CClassFactory pageFactory(serverModule, CLSID_CorvanePropPage, &CreatePropertyPage);

} // namespace

HINSTANCE CorvaneInstance()
{
    return moduleInstance;
}

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
    return serverModule.CanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object)
{
    return GetClassObjectFrom({&controlFactory, &pageFactory}, classId, iid, object);
}
