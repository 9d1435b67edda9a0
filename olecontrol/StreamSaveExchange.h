// Writes the items to a stream in call order, little-endian, without names:
// 32-bit values and colours 4 bytes; BOOL 1 byte 0/1; short 2 bytes;
// string: 4-byte byte count, then the narrow bytes without a terminator;
// object: marker 255 for the default, else 0 and the OleSaveToStream form (class id, data).
#pragma once

#include "CheckedPropExchange.h"

// The object marker byte.
constexpr BYTE kStreamObjectIsDefault = 255;
constexpr BYTE kStreamObjectFollows = 0;

class CStreamSaveExchange final : public CCheckedPropExchange
{
public:
    explicit CStreamSaveExchange(IStream* stream, bool asynchronous = false);

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
    bool WriteValue(ULONG value, ULONG byteCount);
    bool WriteObject(IUnknown* value, IUnknown* defaultValue);

    IStream* stream;
};

// True when both name the same COM object (identity through IUnknown), or both are null.
bool IsSameObject(IUnknown* first, IUnknown* second);
