// The module object and its two class factories: the control and its property page.
#include "CorvaneModule.h"

#include "CorvaneCtrl.h"
#include "CorvaneIds.h"
#include "CorvanePropPage.h"
#include "ModuleEntryPoints.h"

#include <new>

namespace {

CModuleEntryPoints entryPoints;
CServerModule& serverModule = entryPoints.Module();

HRESULT CreateControl(REFIID iid, void** object)
{
    return COleControl::CreateObject<CCorvaneCtrl>(
        iid, object, [](CCorvaneCtrl& control) { control.moduleToken.emplace(serverModule); });
}

HRESULT CreatePropertyPage(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    auto* page = new (std::nothrow) CCorvanePropPage(serverModule, entryPoints.Instance());
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
    return entryPoints.Instance();
}

CORVANE_MODULE_ENTRY_POINTS(entryPoints, &controlFactory, &pageFactory)
