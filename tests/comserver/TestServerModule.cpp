// Entry points of the tests' in-process server, built from the framework's factory, module
// counter and registration helpers exactly as a product module would use them.
#include "ClassRegistration.h"
#include "EventSource.h"
#include "ModuleEntryPoints.h"
#include "TestServerIds.h"
#include "TestServerPage.h"
#include "TypeLibraryRegistration.h"

#include <new>

namespace {

CModuleEntryPoints entryPoints;
CServerModule& serverModule = entryPoints.Module();
CClassFactory eventSourceFactory(serverModule, CLSID_TestEventSource, &CEventSource::Create);
CClassFactory pageFactory(serverModule, CLSID_TestServerPage, &CTestServerPage::Create);

const ControlClassRegistration kEventSourceRegistration = {
    CLSID_TestEventSource, kTestEventSourceProgId, IDS_TEST_SOURCE_TYPE_NAME, IDB_TEST_TOOLBOX, 0x20191,
    LIBID_CorvaneTestServerLib, 1, 0, L"Apartment"};
const PropertyPageRegistration kPageRegistration = {CLSID_TestServerPage, IDS_TEST_PAGE_TYPE_NAME};

} // namespace

CServerModule& TestServerModule()
{
    return serverModule;
}

HINSTANCE TestServerInstance()
{
    return entryPoints.Instance();
}

CTestServerPage::CTestServerPage(CServerModule& module, HINSTANCE resources)
    : CPropertyPage(resources, IDD_TEST_PAGE, IDS_TEST_PAGE_CAPTION), token(module)
{
}

HRESULT CTestServerPage::Create(REFIID iid, void** object)
{
    auto* page = new (std::nothrow) CTestServerPage(serverModule, entryPoints.Instance());
    if (!page)
        return E_OUTOFMEMORY;
    HRESULT hr = page->QueryInterface(iid, object);
    page->Release();
    return hr;
}

CORVANE_MODULE_ENTRY_POINTS(entryPoints, &eventSourceFactory, &pageFactory)

STDAPI DllRegisterServer()
{
    HRESULT hr = RegisterModuleTypeLibrary(entryPoints.Instance(), LIBID_CorvaneTestServerLib);
    if (FAILED(hr))
        return hr;
    hr = RegisterControlClass(entryPoints.Instance(), kEventSourceRegistration);
    if (FAILED(hr))
        return hr;
    return RegisterPropertyPageClass(entryPoints.Instance(), kPageRegistration);
}

STDAPI DllUnregisterServer()
{
    HRESULT hr = UnregisterModuleTypeLibrary(LIBID_CorvaneTestServerLib, 1, 0);
    if (FAILED(hr))
        return hr;
    hr = UnregisterControlClass(kEventSourceRegistration);
    if (FAILED(hr))
        return hr;
    return UnregisterPropertyPageClass(kPageRegistration);
}
