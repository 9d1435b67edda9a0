#include "LateBound.h"

#include <vector>

VARIANT& CArg::Init(VARTYPE type)
{
    VariantInit(&value);
    value.vt = type;
    return value;
}

CArg::CArg(long number) { Init(VT_I4).lVal = number; }
CArg::CArg(short number) { Init(VT_I2).iVal = number; }
CArg::CArg(double number) { Init(VT_R8).dblVal = number; }
CArg::CArg(bool flag) { Init(VT_BOOL).boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE; }
CArg::CArg(const std::wstring& text)
{
    Init(VT_BSTR).bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

HRESULT CLateBound::IdOf(const wchar_t* name, DISPID& id)
{
    if (!dispatch)
        return E_POINTER;
    auto known = ids.find(name);
    if (known != ids.end()) {
        id = known->second;
        return S_OK;
    }
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(hr))
        ids[name] = id;
    return hr;
}

HRESULT CLateBound::Invoke(const wchar_t* name, WORD flags, DISPPARAMS& parameters, VARIANT* result)
{
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = IdOf(name, id);
    if (FAILED(hr))
        return hr;
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, &exception, &argumentError);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

HRESULT CLateBound::Call(const wchar_t* name, std::initializer_list<CArg> args, VARIANT* result)
{
    // Invoke takes the arguments last to first.
    std::vector<VARIANT> reversed;
    for (auto it = args.end(); it != args.begin();) {
        --it;
        reversed.push_back(it->Value());
    }
    DISPPARAMS parameters = {reversed.empty() ? nullptr : reversed.data(), nullptr,
                             static_cast<UINT>(reversed.size()), 0};
    return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, parameters, result);
}

HRESULT CLateBound::Put(const wchar_t* name, const CArg& value)
{
    VARIANT argument = value.Value();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {&argument, &named, 1, 1};
    return Invoke(name, DISPATCH_PROPERTYPUT, parameters, nullptr);
}

bool CLateBound::Result(const wchar_t* name, VARTYPE type, VARIANT& converted)
{
    VARIANT raw;
    VariantInit(&raw);
    VariantInit(&converted);
    bool ok = SUCCEEDED(Call(name, {}, &raw)) && SUCCEEDED(VariantChangeType(&converted, &raw, 0, type));
    VariantClear(&raw);
    return ok;
}

std::wstring CLateBound::Text(const wchar_t* name)
{
    VARIANT converted;
    std::wstring text;
    if (Result(name, VT_BSTR, converted) && converted.bstrVal)
        text.assign(converted.bstrVal, SysStringLen(converted.bstrVal));
    VariantClear(&converted);
    return text;
}

double CLateBound::Number(const wchar_t* name)
{
    VARIANT converted;
    double number = Result(name, VT_R8, converted) ? converted.dblVal : 0.0;
    VariantClear(&converted);
    return number;
}

long CLateBound::Whole(const wchar_t* name)
{
    VARIANT converted;
    long number = Result(name, VT_I4, converted) ? converted.lVal : 0;
    VariantClear(&converted);
    return number;
}
