// Reads the items by name from a property bag; a name the bag does not hold gives the default.
#pragma once

#include "CheckedPropExchange.h"

#include <ocidl.h>

class CPropertyBagLoadExchange final : public CCheckedPropExchange
{
public:
    CPropertyBagLoadExchange(IPropertyBag* bag, IErrorLog* errorLog);

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
    enum class ReadResult { Found, Missing, Failed };
    // Asks the bag for `name` as `wantedType`; a value of another type is converted here.
    ReadResult Read(const char* name, VARTYPE wantedType, VARIANT& value);
    // False when the bag failed; `found` false when it does not hold the name.
    bool ReadItem(const char* name, VARTYPE wantedType, VARIANT& value, bool& found);
    // As ReadItem, and converts a found value to `type`.
    bool ReadConverted(const char* name, VARTYPE type, VARIANT& value, bool& found);
    // A 32-bit item: the bit pattern of a signed or unsigned value, whichever the bag holds.
    bool Exchange32(const char* name, VARTYPE wantedType, ULONG& value, ULONG defaultValue);

    IPropertyBag* bag;
    IErrorLog* errorLog;
};
