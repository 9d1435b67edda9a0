#include "EventSink.h"

HRESULT EventSink::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, eventInterface)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*)
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

int EventSink::CountOf(DISPID dispid) const
{
    int count = 0;
    for (const Call& call : calls)
        count += call.dispid == dispid ? 1 : 0;
    return count;
}

std::string EventSink::Sequence() const
{
    std::string text;
    for (const Call& call : calls)
        text += (text.empty() ? "" : " ") + std::to_string(call.dispid);
    return text;
}
