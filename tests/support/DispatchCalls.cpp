#include "DispatchCalls.h"

DISPID DispidOf(IDispatch* object, const wchar_t* name, HRESULT* hr)
{
    DISPID dispid = 12345;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (hr)
        *hr = result;
    return dispid;
}

InvokeOutcome InvokeRaw(IDispatch* object, DISPID dispid, WORD flags, std::vector<Variant> reversedArguments,
                        std::vector<DISPID> named)
{
    std::vector<VARIANT> raw;
    for (const Variant& argument : reversedArguments)
        raw.push_back(argument.value);
    DISPPARAMS parameters = {raw.empty() ? nullptr : raw.data(), named.empty() ? nullptr : named.data(),
                             static_cast<UINT>(raw.size()), static_cast<UINT>(named.size())};
    InvokeOutcome outcome;
    EXCEPINFO exception = {};
    outcome.hr = object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, &outcome.result.value,
                                &exception, &outcome.argumentError);
    return outcome;
}

InvokeOutcome CallMethod(IDispatch* object, DISPID dispid, std::initializer_list<Variant> arguments)
{
    std::vector<Variant> reversed(arguments.begin(), arguments.end());
    std::vector<Variant> last_first(reversed.rbegin(), reversed.rend());
    return InvokeRaw(object, dispid, DISPATCH_METHOD, last_first, {});
}

InvokeOutcome GetProperty(IDispatch* object, DISPID dispid)
{
    return InvokeRaw(object, dispid, DISPATCH_PROPERTYGET, {}, {});
}

InvokeOutcome PutProperty(IDispatch* object, DISPID dispid, const Variant& value)
{
    return InvokeRaw(object, dispid, DISPATCH_PROPERTYPUT, {value}, {DISPID_PROPERTYPUT});
}
