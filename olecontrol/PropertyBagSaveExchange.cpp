#include "PropertyBagSaveExchange.h"

#include "AnsiText.h"
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
    std::wstring wideName = WideFromAnsi(name);
    return Check(SUCCEEDED(bag->Write(wideName.c_str(), &value)));
}

bool CPropertyBagSaveExchange::WriteScalar(const char* name, VARTYPE type, ULONG bits)
{
    VARIANT variant;
    VariantInit(&variant);
    V_VT(&variant) = type;
    switch (type) {
    case VT_I2:
        V_I2(&variant) = static_cast<SHORT>(static_cast<USHORT>(bits));
        break;
    case VT_BOOL:
        V_BOOL(&variant) = bits ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        V_UI4(&variant) = bits;
        break;
    }
    return Write(name, variant);
}

bool CPropertyBagSaveExchange::ExchangeULong(const char* name, ULONG& value, ULONG)
{
    return WriteScalar(name, VT_UI4, value);
}

bool CPropertyBagSaveExchange::ExchangeLong(const char* name, LONG& value, LONG)
{
    return WriteScalar(name, VT_I4, static_cast<ULONG>(value));
}

bool CPropertyBagSaveExchange::ExchangeLongKeptOnReset(const char* name, LONG& value)
{
    return WriteScalar(name, VT_I4, static_cast<ULONG>(value));
}

bool CPropertyBagSaveExchange::ExchangeShort(const char* name, SHORT& value, SHORT)
{
    return WriteScalar(name, VT_I2, static_cast<USHORT>(value));
}

bool CPropertyBagSaveExchange::ExchangeBool(const char* name, BOOL& value, BOOL)
{
    return WriteScalar(name, VT_BOOL, value ? 1 : 0);
}

bool CPropertyBagSaveExchange::ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR)
{
    return WriteScalar(name, VT_UI4, value);
}

bool CPropertyBagSaveExchange::ExchangeString(const char* name, std::string& value, const char*)
{
    VARIANT variant;
    V_VT(&variant) = VT_BSTR;
    try {
        V_BSTR(&variant) = BstrFromAnsi(value);
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
