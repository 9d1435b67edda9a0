#include "EventSource.h"

#include "ModulePath.h"
#include "TestServerIds.h"

#include <olectl.h>
#include <wrl/client.h>

#include <new>

using Microsoft::WRL::ComPtr;

namespace {

struct MemberName
{
    const wchar_t* name;
    DISPID dispid;
    UINT argumentCount;
};

constexpr MemberName kMembers[] = {
    {L"RaiseTick", DISPID_TEST_RAISE_TICK, 1},
    {L"RaiseMessage", DISPID_TEST_RAISE_MESSAGE, 1},
    {L"Connections", DISPID_TEST_CONNECTIONS, 0},
    {L"Echo", DISPID_TEST_ECHO, 1},
};

const MemberName* FindMember(DISPID dispid)
{
    for (const MemberName& member : kMembers)
        if (member.dispid == dispid)
            return &member;
    return nullptr;
}

HRESULT LoadServerTypeInfo(REFGUID guid, ITypeInfo** info)
{
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(ModuleFullPath(TestServerInstance()).c_str(), REGKIND_NONE, &library);
    if (FAILED(hr))
        return hr;
    return library->GetTypeInfoOfGuid(guid, info);
}

} // namespace

CEventSource::CEventSource(CServerModule& module) : token(module), events(*static_cast<IDispatch*>(this), *this, DIID_DEventSourceEvents) {}

HRESULT CEventSource::Create(REFIID iid, void** object)
{
    auto* source = new (std::nothrow) CEventSource(TestServerModule());
    if (!source)
        return E_OUTOFMEMORY;
    HRESULT hr = source->QueryInterface(iid, object);
    source->Release();
    return hr;
}

STDMETHODIMP CEventSource::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DEventSource)
        *object = static_cast<IDispatch*>(this);
    else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
        *object = static_cast<IProvideClassInfo2*>(this);
    else if (iid == IID_IConnectionPointContainer)
        *object = static_cast<IConnectionPointContainer*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CEventSource::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

STDMETHODIMP_(ULONG) CEventSource::Release()
{
    LONG count = InterlockedDecrement(&references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CEventSource::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CEventSource::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return LoadServerTypeInfo(DIID_DEventSource, info);
}

STDMETHODIMP CEventSource::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* dispids)
{
    if (!names || !dispids || count == 0)
        return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        dispids[i] = DISPID_UNKNOWN;
        if (i > 0) {
            hr = DISP_E_UNKNOWNNAME;
            continue;
        }
        for (const MemberName& member : kMembers)
            if (lstrcmpiW(member.name, names[0]) == 0)
                dispids[0] = member.dispid;
        if (dispids[0] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT CEventSource::InvokeMethod(DISPID dispid, DISPPARAMS& parameters, VARIANT* result, UINT* argumentError)
{
    VARIANT argument;
    VariantInit(&argument);
    if (parameters.cArgs == 1) {
        VARTYPE wanted = dispid == DISPID_TEST_RAISE_TICK ? VT_I4 : VT_BSTR;
        if (FAILED(VariantChangeType(&argument, &parameters.rgvarg[0], 0, wanted))) {
            if (argumentError)
                *argumentError = 0;
            return DISP_E_TYPEMISMATCH;
        }
    }
    switch (dispid) {
    case DISPID_TEST_RAISE_TICK:
    case DISPID_TEST_RAISE_MESSAGE: {
        DISPPARAMS eventParameters = {&argument, nullptr, 1, 0};
        Fire(dispid == DISPID_TEST_RAISE_TICK ? DISPID_TEST_TICK : DISPID_TEST_MESSAGE, eventParameters);
        break;
    }
    case DISPID_TEST_CONNECTIONS:
        if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = static_cast<LONG>(events.Sinks().size());
        }
        break;
    case DISPID_TEST_ECHO:
        if (result) {
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = SysAllocString(V_BSTR(&argument));
        }
        break;
    default:
        break;
    }
    VariantClear(&argument);
    return S_OK;
}

void CEventSource::Fire(DISPID dispid, DISPPARAMS& parameters)
{
    // Each sink was advised for the events dispinterface, so it is an IDispatch.
    for (const ComPtr<IUnknown>& sink : events.Sinks())
        static_cast<IDispatch*>(sink.Get())->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                                    nullptr, nullptr, nullptr);
}

STDMETHODIMP CEventSource::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                  EXCEPINFO*, UINT* argumentError)
{
    if (!parameters)
        return E_POINTER;
    const MemberName* member = FindMember(dispid);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
        return DISP_E_MEMBERNOTFOUND;
    if (parameters->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (parameters->cArgs != member->argumentCount)
        return DISP_E_BADPARAMCOUNT;
    if (result)
        VariantInit(result);
    return InvokeMethod(dispid, *parameters, result, argumentError);
}

STDMETHODIMP CEventSource::GetClassInfo(ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return LoadServerTypeInfo(CLSID_TestEventSource, info);
}

STDMETHODIMP CEventSource::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID_DEventSourceEvents;
    return S_OK;
}

STDMETHODIMP CEventSource::EnumConnectionPoints(IEnumConnectionPoints** result)
{
    if (result)
        *result = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CEventSource::FindConnectionPoint(REFIID iid, IConnectionPoint** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (iid != DIID_DEventSourceEvents)
        return CONNECT_E_NOCONNECTION;
    *result = &events;
    events.AddRef();
    return S_OK;
}
