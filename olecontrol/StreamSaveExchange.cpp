#include "StreamSaveExchange.h"

#include "StreamBytes.h"

using Microsoft::WRL::ComPtr;

bool IsSameObject(IUnknown* first, IUnknown* second)
{
    if (!first || !second)
        return first == second;
    ComPtr<IUnknown> firstIdentity;
    ComPtr<IUnknown> secondIdentity;
    if (FAILED(first->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(firstIdentity.GetAddressOf()))) ||
        FAILED(second->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(secondIdentity.GetAddressOf()))))
        return false;
    return firstIdentity.Get() == secondIdentity.Get();
}

CStreamSaveExchange::CStreamSaveExchange(IStream* stream, bool asynchronous)
    : CCheckedPropExchange(Direction::Save, asynchronous), stream(stream)
{
}

bool CStreamSaveExchange::WriteValue(ULONG value, ULONG byteCount)
{
    if (HasFailed() || !stream)
        return Check(false);
    return Check(WriteLittleEndian(stream, value, byteCount));
}

bool CStreamSaveExchange::ExchangeULong(const char*, ULONG& value, ULONG)
{
    return WriteValue(value, 4);
}

bool CStreamSaveExchange::ExchangeLong(const char*, LONG& value, LONG)
{
    return WriteValue(static_cast<ULONG>(value), 4);
}

bool CStreamSaveExchange::ExchangeLongKeptOnReset(const char*, LONG& value)
{
    return WriteValue(static_cast<ULONG>(value), 4);
}

bool CStreamSaveExchange::ExchangeShort(const char*, SHORT& value, SHORT)
{
    return WriteValue(static_cast<USHORT>(value), 2);
}

bool CStreamSaveExchange::ExchangeBool(const char*, BOOL& value, BOOL)
{
    return WriteValue(value ? 1 : 0, 1);
}

bool CStreamSaveExchange::ExchangeColor(const char*, OLE_COLOR& value, OLE_COLOR)
{
    return WriteValue(value, 4);
}

bool CStreamSaveExchange::ExchangeString(const char*, std::string& value, const char*)
{
    if (value.size() > MAXLONG)
        return Check(false);
    ULONG length = static_cast<ULONG>(value.size());
    return WriteValue(length, 4) && Check(WriteFully(stream, value.data(), length));
}

bool CStreamSaveExchange::WriteObject(IUnknown* value, IUnknown* defaultValue)
{
    if (!value || IsSameObject(value, defaultValue))
        return WriteLittleEndian(stream, kStreamObjectIsDefault, 1);
    ComPtr<IPersistStream> persist;
    if (FAILED(value->QueryInterface(IID_PPV_ARGS(&persist))))
        return false;
    // OleSaveToStream writes the class id and then the object's own data.
    return WriteLittleEndian(stream, kStreamObjectFollows, 1) && SUCCEEDED(OleSaveToStream(persist.Get(), stream));
}

bool CStreamSaveExchange::ExchangeObject(const char*, ComPtr<IUnknown>& value, REFIID, IUnknown* defaultValue)
{
    if (HasFailed() || !stream)
        return Check(false);
    return Check(WriteObject(value.Get(), defaultValue));
}
