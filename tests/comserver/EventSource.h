// The test server's scriptable object: late-bound methods that fire its events through a real
// connection point, and class information that names its default source interface.
#pragma once

#include "ConnectionPoint.h"
#include "ServerModule.h"

#include <ocidl.h>

class CEventSource final : public IDispatch, public IProvideClassInfo2, public IConnectionPointContainer
{
public:
    explicit CEventSource(CServerModule& module);
    static HRESULT Create(REFIID iid, void** object);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** result) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** result) override;

private:
    ~CEventSource() = default;
    HRESULT InvokeMethod(DISPID dispid, DISPPARAMS& parameters, VARIANT* result, UINT* argumentError);
    // Invokes `dispid` on every advised sink; a failing sink does not stop the others.
    void Fire(DISPID dispid, DISPPARAMS& parameters);

    CModuleObjectToken token;
    volatile LONG references = 1;
    ConnectionPoint events;
};

// The module of the test server (counts its objects for DllCanUnloadNow).
CServerModule& TestServerModule();
HINSTANCE TestServerInstance();
