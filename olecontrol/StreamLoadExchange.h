// Reads the items back from a stream in call order: 4-byte values, 1-byte BOOLs, 2-byte shorts,
// length-prefixed strings and marked objects (see StreamSaveExchange.h for the layout).
#pragma once

#include "CheckedPropExchange.h"

#include <type_traits>

class CStreamLoadExchange final : public CCheckedPropExchange
{
public:
    explicit CStreamLoadExchange(IStream* stream, bool asynchronous = false);

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
    // Reads `byteCount` little-endian bytes; after a failure nothing more is read.
    bool ReadValue(ULONG& value, ULONG byteCount);
    // The value changes only when all its bytes were there.
    template <class Integer>
    bool ReadInto(Integer& value, ULONG byteCount)
    {
        ULONG read = 0;
        if (!ReadValue(read, byteCount))
            return false;
        // Keeps the bit pattern: a 2-byte 0xFFFE is -2 in a SHORT.
        value = static_cast<Integer>(static_cast<typename std::make_unsigned<Integer>::type>(read));
        return true;
    }
    bool ReadString(std::string& value);
    bool ReadObject(Microsoft::WRL::ComPtr<IUnknown>& value, REFIID iid, IUnknown* defaultValue);

    IStream* stream;
};
