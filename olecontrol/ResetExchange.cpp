#include "ResetExchange.h"

CResetExchange::CResetExchange() : CCheckedPropExchange(Direction::Reset) {}

bool CResetExchange::ExchangeULong(const char*, ULONG& value, ULONG defaultValue)
{
    value = defaultValue;
    return true;
}

bool CResetExchange::ExchangeLong(const char*, LONG& value, LONG defaultValue)
{
    value = defaultValue;
    return true;
}

bool CResetExchange::ExchangeLongKeptOnReset(const char*, LONG&)
{
    return true;
}

bool CResetExchange::ExchangeShort(const char*, SHORT& value, SHORT defaultValue)
{
    value = defaultValue;
    return true;
}

bool CResetExchange::ExchangeBool(const char*, BOOL& value, BOOL defaultValue)
{
    value = defaultValue;
    return true;
}

bool CResetExchange::ExchangeColor(const char*, OLE_COLOR& value, OLE_COLOR defaultValue)
{
    value = defaultValue;
    return true;
}

bool CResetExchange::ExchangeString(const char*, std::string& value, const char* defaultValue)
{
    try {
        value = defaultValue ? defaultValue : "";
    } catch (...) {
        return Check(false);
    }
    return true;
}

bool CResetExchange::ExchangeObject(const char*, Microsoft::WRL::ComPtr<IUnknown>& value, REFIID,
                                    IUnknown* defaultValue)
{
    value = defaultValue;
    return true;
}
