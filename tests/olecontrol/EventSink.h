// A host's event sink: answers the event interface, records every call with its arguments.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

class EventSink final : public IDispatch
{
public:
    struct Call
    {
        DISPID dispid;
        std::vector<VARTYPE> types;   // in declaration order
        std::vector<long> values;     // each argument as a number, in declaration order
    };

    explicit EventSink(const IID& eventInterface) : eventInterface(eventInterface) {}

    std::vector<Call> calls;
    HRESULT answer = S_OK;                 // what Invoke returns
    std::function<void()> duringCall;      // runs inside every Invoke

    int CountOf(DISPID dispid) const;
    // The dispids in call order, as text ("-605 -607 -600").
    std::string Sequence() const;
    LONG References() const { return references; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    // Lives on the test's stack: the count is only checked, never acted on.
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&references)); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO*, UINT*) override;

private:
    IID eventInterface;
    LONG references = 0;
};
