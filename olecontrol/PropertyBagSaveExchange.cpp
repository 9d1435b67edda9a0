#include "PropertyBagSaveExchange.h"

#include "PropertyText.h"
#include "StreamSaveExchange.h"

using Microsoft::WRL::ComPtr;

CPropertyBagSaveExchange::CPropertyBagSaveExchange(IPropertyBag* bag)
    : CCheckedPropExchange(Direction::Save), bag(bag)
{
}

bool CPropertyBagSaveExchange::Write(const char* name, VARIANT& value)
{
    if (HasFailed() || !bag)
        return Check(false);
    std::wstring wideName = WideFromNarrow(name);
    return Check(SUCCEEDED(bag->Write(wideName.c_str(), &value)));
}

bool CPropertyBagSaveExchange::ExchangeULong(const char* name, ULONG& value, ULONG)
{
    VARIANT variant;
    V_VT(&variant) = VT_UI4;
    V_UI4(&variant) = value;
    return Write(name, variant);
}

bool CPropertyBagSaveExchange::ExchangeLong(const char* name, LONG& value, LONG)
{
    VARIANT variant;
    V_VT(&variant) = VT_I4;
    V_I4(&variant) = value;
    return Write(name, variant);
}

bool CPropertyBagSaveExchange::ExchangeLongKeptOnReset(const char* name, LONG& value)
{
    return ExchangeLong(name, value, value);
}

bool CPropertyBagSaveExchange::ExchangeShort(const char* name, SHORT& value, SHORT)
{
    VARIANT variant;
    V_VT(&variant) = VT_I2;
    V_I2(&variant) = value;
    return Write(name, variant);
}

bool CPropertyBagSaveExchange::ExchangeBool(const char* name, BOOL& value, BOOL)
{
    VARIANT variant;
    V_VT(&variant) = VT_BOOL;
    V_BOOL(&variant) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Write(name, variant);
}

bool CPropertyBagSaveExchange::ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue)
{
    return ExchangeULong(name, value, defaultValue);
}

bool CPropertyBagSaveExchange::ExchangeString(const char* name, std::string& value, const char*)
{
    VARIANT variant;
    V_VT(&variant) = VT_BSTR;
    try {
        V_BSTR(&variant) = BstrFromNarrow(value);
    } catch (...) {
        return Check(false);
    }
    if (!V_BSTR(&variant))
        return Check(false);
    bool written = Write(name, variant);
    VariantClear(&variant);
    return written;
}

bool CPropertyBagSaveExchange::ExchangeObject(const char* name, ComPtr<IUnknown>& value, REFIID,
                                              IUnknown* defaultValue)
{
    if (!value || IsSameObject(value.Get(), defaultValue))
        return !HasFailed();
    VARIANT variant;
    V_VT(&variant) = VT_UNKNOWN;
    V_UNKNOWN(&variant) = value.Get();
    return Write(name, variant);
}
