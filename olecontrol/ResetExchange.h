// Gives every item its default; the extent (ExchangeLongKeptOnReset) keeps its value.
#pragma once

#include "CheckedPropExchange.h"

class CResetExchange final : public CCheckedPropExchange
{
public:
    CResetExchange();

    bool ExchangeULong(const char* name, ULONG& value, ULONG defaultValue) override;
    bool ExchangeLong(const char* name, LONG& value, LONG defaultValue) override;
    bool ExchangeLongKeptOnReset(const char* name, LONG& value) override;
    bool ExchangeShort(const char* name, SHORT& value, SHORT defaultValue) override;
    bool ExchangeBool(const char* name, BOOL& value, BOOL defaultValue) override;
    bool ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue) override;
    bool ExchangeString(const char* name, std::string& value, const char* defaultValue) override;
    bool ExchangeObject(const char* name, Microsoft::WRL::ComPtr<IUnknown>& value, REFIID iid,
                        IUnknown* defaultValue) override;
};
