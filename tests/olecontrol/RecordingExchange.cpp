#include "RecordingExchange.h"

std::string RecordingExchange::Order() const
{
    std::string text;
    for (const Item& item : items)
        text += (text.empty() ? "" : ", ") + item.kind + " " + item.name;
    return text;
}

std::string RecordingExchange::ValueOf(const std::string& name) const
{
    for (const Item& item : items)
        if (item.name == name)
            return item.value;
    return "(absent)";
}

template <class T>
bool RecordingExchange::ExchangeNumber(const char* kind, const char* name, T& value, const T* defaultValue)
{
    if (failOn == name) {
        items.push_back({kind, name, "(failed)"});
        return false;
    }
    if (IsLoading()) {
        auto found = stored.find(name);
        if (found != stored.end())
            value = static_cast<T>(std::stoll(found->second, nullptr, 0));
        else if (defaultValue)
            value = *defaultValue;
    } else if (IsResetting() && defaultValue) {
        value = *defaultValue;
    }
    items.push_back({kind, name, std::to_string(static_cast<long long>(value))});
    return true;
}

bool RecordingExchange::ExchangeULong(const char* name, ULONG& value, ULONG defaultValue)
{
    return ExchangeNumber("ULong", name, value, &defaultValue);
}

bool RecordingExchange::ExchangeLong(const char* name, LONG& value, LONG defaultValue)
{
    return ExchangeNumber("Long", name, value, &defaultValue);
}

bool RecordingExchange::ExchangeLongKeptOnReset(const char* name, LONG& value)
{
    return ExchangeNumber<LONG>("LongKept", name, value, nullptr);
}

bool RecordingExchange::ExchangeShort(const char* name, SHORT& value, SHORT defaultValue)
{
    return ExchangeNumber("Short", name, value, &defaultValue);
}

bool RecordingExchange::ExchangeBool(const char* name, BOOL& value, BOOL defaultValue)
{
    return ExchangeNumber("Bool", name, value, &defaultValue);
}

bool RecordingExchange::ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue)
{
    return ExchangeNumber("Color", name, value, &defaultValue);
}

bool RecordingExchange::ExchangeString(const char* name, std::string& value, const char* defaultValue)
{
    if (failOn == name) {
        items.push_back({"String", name, "(failed)"});
        return false;
    }
    if (IsLoading()) {
        auto found = stored.find(name);
        value = found != stored.end() ? found->second : defaultValue;
    } else if (IsResetting()) {
        value = defaultValue;
    }
    items.push_back({"String", name, value});
    return true;
}

bool RecordingExchange::ExchangeObject(const char* name, Microsoft::WRL::ComPtr<IUnknown>& value, REFIID,
                                       IUnknown* defaultValue)
{
    if (!IsSaving())
        value = defaultValue;
    items.push_back({"Object", name, value ? "object" : "none"});
    return failOn != name;
}
