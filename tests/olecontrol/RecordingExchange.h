// An exchange of the test's own: records each item (kind, name, value seen), and in load
// direction hands out the values a test stored for given names (others get their default).
#pragma once

#include "PropExchange.h"

#include <map>
#include <string>
#include <vector>

class RecordingExchange final : public CPropExchange
{
public:
    struct Item
    {
        std::string kind;
        std::string name;
        std::string value;  // after the exchange
    };

    explicit RecordingExchange(Direction direction, bool asynchronous = false)
        : CPropExchange(direction, asynchronous)
    {
    }
    // The framework destroys an exchange it was handed as soon as it is done with it.
    ~RecordingExchange() override
    {
        if (orderWhenDone)
            *orderWhenDone = Order();
    }

    std::vector<Item> items;
    std::string* orderWhenDone = nullptr;        // receives Order() when the exchange is destroyed
    std::map<std::string, std::string> stored;  // load: the value found under a name
    std::string failOn;                          // the item whose exchange fails

    // "Kind Name" per item, in order, joined by commas.
    std::string Order() const;
    std::string ValueOf(const std::string& name) const;

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
    template <class T> bool ExchangeNumber(const char* kind, const char* name, T& value, const T* defaultValue);
};
