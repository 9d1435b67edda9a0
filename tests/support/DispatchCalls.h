// Late-bound calls the way a script host makes them: GetIDsOfNames, then Invoke.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <initializer_list>
#include <vector>

// An owned VARIANT.
struct Variant
{
    VARIANT value;
    Variant() { VariantInit(&value); }
    explicit Variant(long v) : Variant() { value.vt = VT_I4; value.lVal = v; }
    explicit Variant(const wchar_t* text) : Variant() { value.vt = VT_BSTR; value.bstrVal = SysAllocString(text); }
    static Variant Bool(bool v)
    {
        Variant b;
        b.value.vt = VT_BOOL;
        b.value.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
        return b;
    }
    Variant(const Variant& other) : Variant() { VariantCopy(&value, const_cast<VARIANT*>(&other.value)); }
    Variant& operator=(const Variant& other)
    {
        VariantCopy(&value, const_cast<VARIANT*>(&other.value));
        return *this;
    }
    ~Variant() { VariantClear(&value); }
};

struct InvokeOutcome
{
    HRESULT hr = E_FAIL;
    Variant result;
    UINT argumentError = 0xFFFFFFFF;
};

DISPID DispidOf(IDispatch* object, const wchar_t* name, HRESULT* hr = nullptr);
// Arguments in declaration order (the call reverses them into DISPPARAMS).
InvokeOutcome CallMethod(IDispatch* object, DISPID dispid, std::initializer_list<Variant> arguments);
InvokeOutcome GetProperty(IDispatch* object, DISPID dispid);
InvokeOutcome PutProperty(IDispatch* object, DISPID dispid, const Variant& value);
InvokeOutcome InvokeRaw(IDispatch* object, DISPID dispid, WORD flags, std::vector<Variant> reversedArguments,
                        std::vector<DISPID> named);
