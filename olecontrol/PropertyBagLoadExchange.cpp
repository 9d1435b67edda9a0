#include "PropertyBagLoadExchange.h"

#include "AnsiText.h"

using Microsoft::WRL::ComPtr;

namespace {

// VARIANT cleared on every path out.
class ScopedVariant final
{
public:
    ScopedVariant() { VariantInit(&value); }
    ~ScopedVariant() { VariantClear(&value); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT value;
};

bool BitsOf32BitVariant(VARIANT& value, ULONG& bits)
{
    switch (V_VT(&value)) {
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        bits = V_UI4(&value);
        return true;
    default:
        break;
    }
    if (FAILED(VariantChangeType(&value, &value, 0, VT_I8)))
        return false;
    LONGLONG wide = V_I8(&value);
    if (wide < MINLONG || wide > static_cast<LONGLONG>(MAXDWORD))
        return false;
    bits = static_cast<ULONG>(wide);
    return true;
}

} // namespace

CPropertyBagLoadExchange::CPropertyBagLoadExchange(IPropertyBag* bag, IErrorLog* errorLog)
    : CCheckedPropExchange(Direction::Load), bag(bag), errorLog(errorLog)
{
}

CPropertyBagLoadExchange::ReadResult CPropertyBagLoadExchange::Read(const char* name, VARTYPE wantedType,
                                                                    VARIANT& value)
{
    if (HasFailed() || !bag)
        return ReadResult::Failed;
    std::wstring wideName = WideFromAnsi(name);
    V_VT(&value) = wantedType;
    HRESULT hr = bag->Read(wideName.c_str(), &value, errorLog);
    if (FAILED(hr)) {
        VariantInit(&value);
        // Bags answer E_INVALIDARG for a name they do not hold.
        bool missing = hr == E_INVALIDARG || hr == HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
        return missing ? ReadResult::Missing : ReadResult::Failed;
    }
    if (V_VT(&value) == VT_EMPTY)
        return ReadResult::Missing;
    return ReadResult::Found;
}

bool CPropertyBagLoadExchange::ReadItem(const char* name, VARTYPE wantedType, VARIANT& value, bool& found)
{
    ReadResult result = Read(name, wantedType, value);
    found = result == ReadResult::Found;
    return Check(result != ReadResult::Failed);
}

bool CPropertyBagLoadExchange::Exchange32(const char* name, VARTYPE wantedType, ULONG& value, ULONG defaultValue)
{
    ScopedVariant read;
    bool found = false;
    if (!ReadItem(name, wantedType, read.value, found))
        return false;
    if (!found) {
        value = defaultValue;
        return true;
    }
    ULONG bits = 0;
    if (!Check(BitsOf32BitVariant(read.value, bits)))
        return false;
    value = bits;
    return true;
}

bool CPropertyBagLoadExchange::ExchangeULong(const char* name, ULONG& value, ULONG defaultValue)
{
    return Exchange32(name, VT_UI4, value, defaultValue);
}

bool CPropertyBagLoadExchange::ExchangeLong(const char* name, LONG& value, LONG defaultValue)
{
    ULONG bits = static_cast<ULONG>(value);
    if (!Exchange32(name, VT_I4, bits, static_cast<ULONG>(defaultValue)))
        return false;
    value = static_cast<LONG>(bits);
    return true;
}

bool CPropertyBagLoadExchange::ExchangeLongKeptOnReset(const char* name, LONG& value)
{
    return ExchangeLong(name, value, value);
}

bool CPropertyBagLoadExchange::ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue)
{
    return Exchange32(name, VT_UI4, value, defaultValue);
}

bool CPropertyBagLoadExchange::ReadConverted(const char* name, VARTYPE type, VARIANT& value, bool& found)
{
    if (!ReadItem(name, type, value, found))
        return false;
    return !found || Check(SUCCEEDED(VariantChangeType(&value, &value, 0, type)));
}

bool CPropertyBagLoadExchange::ExchangeShort(const char* name, SHORT& value, SHORT defaultValue)
{
    ScopedVariant read;
    bool found = false;
    if (!ReadConverted(name, VT_I2, read.value, found))
        return false;
    value = found ? V_I2(&read.value) : defaultValue;
    return true;
}

bool CPropertyBagLoadExchange::ExchangeBool(const char* name, BOOL& value, BOOL defaultValue)
{
    ScopedVariant read;
    bool found = false;
    if (!ReadConverted(name, VT_BOOL, read.value, found))
        return false;
    value = found ? (V_BOOL(&read.value) != VARIANT_FALSE ? TRUE : FALSE) : defaultValue;
    return true;
}

bool CPropertyBagLoadExchange::ExchangeString(const char* name, std::string& value, const char* defaultValue)
{
    ScopedVariant read;
    bool found = false;
    if (!ReadConverted(name, VT_BSTR, read.value, found))
        return false;
    try {
        if (found)
            value = AnsiFromBstr(V_BSTR(&read.value));
        else
            value = defaultValue ? defaultValue : "";
    } catch (...) {
        return Check(false);
    }
    return true;
}

bool CPropertyBagLoadExchange::ExchangeObject(const char* name, ComPtr<IUnknown>& value, REFIID iid,
                                              IUnknown* defaultValue)
{
    ScopedVariant read;
    bool found = false;
    if (!ReadItem(name, VT_UNKNOWN, read.value, found))
        return false;
    if (!found) {
        value = defaultValue;
        return true;
    }
    IUnknown* object = nullptr;
    if (V_VT(&read.value) == VT_UNKNOWN)
        object = V_UNKNOWN(&read.value);
    else if (V_VT(&read.value) == VT_DISPATCH)
        object = V_DISPATCH(&read.value);
    else
        return Check(false);
    if (!object) {
        value.Reset();
        return true;
    }
    ComPtr<IUnknown> typed;
    if (!Check(SUCCEEDED(object->QueryInterface(iid, reinterpret_cast<void**>(typed.GetAddressOf())))))
        return false;
    value = typed;
    return true;
}
