// Writes the items by name into a property bag as typed VARIANTs (VT_UI4, VT_I4, VT_I2,
// VT_BOOL, VT_BSTR, VT_UNKNOWN). An object equal to its default is not written: reading the
// missing name gives the default back.
#pragma once

#include "CheckedPropExchange.h"

#include <ocidl.h>

class CPropertyBagSaveExchange final : public CCheckedPropExchange
{
public:
    explicit CPropertyBagSaveExchange(IPropertyBag* bag);

    bool ExchangeULong(const char* name, ULONG& value, ULONG defaultValue) override;
    bool ExchangeLong(const char* name, LONG& value, LONG defaultValue) override;
    bool ExchangeLongKeptOnReset(const char* name, LONG& value) override;
    bool ExchangeShort(const char* name, SHORT& value, SHORT defaultValue) override;
    bool ExchangeBool(const char* name, BOOL& value, BOOL defaultValue) override;
    bool ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue) override;
    bool ExchangeString(const char* name, std::string& value, const char* defaultValue) override;
    bool ExchangeObject(const char* name, Microsoft::WRL::ComPtr<IUnknown>& value, REFIID iid,
                        IUnknown* defaultValue) override;

private:
    bool Write(const char* name, VARIANT& value);
    // VT_I2 and VT_BOOL from the low bits, VT_I4 / VT_UI4 from all 32.
    bool WriteScalar(const char* name, VARTYPE type, ULONG bits);

    IPropertyBag* bag;
};
