// A recording sink for the in-process hosts that check or time what arrives (the tests and the
// benchmarks): answers the event interface and records every call with its arguments.
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

    int CountOf(DISPID dispid) const
    {
        int count = 0;
        for (const Call& call : calls)
            count += call.dispid == dispid ? 1 : 0;
        return count;
    }
    // The dispids in call order, as text ("-605 -607 -600").
    std::string Sequence() const
    {
        std::string text;
        for (const Call& call : calls)
            text += (text.empty() ? "" : " ") + std::to_string(call.dispid);
        return text;
    }
    LONG References() const { return references; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, eventInterface)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    // Lives on the test's stack: the count is only checked, never acted on.
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&references)); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO*, UINT*) override
    {
        Call call{dispid, {}, {}};
        for (UINT i = parameters->cArgs; i-- > 0;) {
            VARIANT& argument = parameters->rgvarg[i];
            call.types.push_back(argument.vt);
            VARIANT number;
            VariantInit(&number);
            VariantChangeType(&number, &argument, 0, VT_I4);
            call.values.push_back(number.lVal);
        }
        calls.push_back(call);
        if (duringCall)
            duringCall();
        return answer;
    }

private:
    IID eventInterface;
    LONG references = 0;
};
