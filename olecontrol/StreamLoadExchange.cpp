#include "StreamLoadExchange.h"

#include "StreamBytes.h"
#include "StreamSaveExchange.h"

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {

// A corrupt length must not make us allocate gigabytes before the stream runs out.
constexpr ULONG kStringChunk = 64 * 1024;

} // namespace

CStreamLoadExchange::CStreamLoadExchange(IStream* stream, bool asynchronous)
    : CCheckedPropExchange(Direction::Load, asynchronous), stream(stream)
{
}

bool CStreamLoadExchange::ReadValue(ULONG& value, ULONG byteCount)
{
    if (HasFailed() || !stream)
        return Check(false);
    return Check(ReadLittleEndian(stream, value, byteCount));
}

bool CStreamLoadExchange::ExchangeULong(const char*, ULONG& value, ULONG)
{
    return ReadInto(value, 4);
}

bool CStreamLoadExchange::ExchangeLong(const char*, LONG& value, LONG)
{
    return ReadInto(value, 4);
}

bool CStreamLoadExchange::ExchangeLongKeptOnReset(const char*, LONG& value)
{
    return ReadInto(value, 4);
}

bool CStreamLoadExchange::ExchangeShort(const char*, SHORT& value, SHORT)
{
    return ReadInto(value, 2);
}

bool CStreamLoadExchange::ExchangeBool(const char*, BOOL& value, BOOL)
{
    // One byte read into a zero-filled BOOL.
    return ReadInto(value, 1);
}

bool CStreamLoadExchange::ExchangeColor(const char*, OLE_COLOR& value, OLE_COLOR)
{
    return ReadInto(value, 4);
}

bool CStreamLoadExchange::ReadString(std::string& value)
{
    ULONG length = 0;
    if (!ReadLittleEndian(stream, length, 4))
        return false;
    std::string text;
    while (text.size() < length) {
        ULONG chunk = std::min<ULONG>(kStringChunk, length - static_cast<ULONG>(text.size()));
        size_t start = text.size();
        text.resize(start + chunk);
        if (!ReadExactly(stream, &text[start], chunk))
            return false;
    }
    value.swap(text);
    return true;
}

bool CStreamLoadExchange::ExchangeString(const char*, std::string& value, const char*)
{
    if (HasFailed() || !stream)
        return Check(false);
    try {
        return Check(ReadString(value));
    } catch (...) {
        return Check(false);
    }
}

bool CStreamLoadExchange::ReadObject(ComPtr<IUnknown>& value, REFIID iid, IUnknown* defaultValue)
{
    BYTE marker = 0;
    if (!ReadExactly(stream, &marker, 1))
        return false;
    if (marker == kStreamObjectIsDefault) {
        value = defaultValue;
        return true;
    }
    if (marker != kStreamObjectFollows)
        return false;

    CLSID classId = {};
    if (!ReadExactly(stream, &classId, sizeof(classId)))
        return false;
    if (IsEqualCLSID(classId, CLSID_NULL)) {
        value.Reset();
        return true;
    }

    ComPtr<IUnknown> loaded;
    if (IsEqualCLSID(classId, CLSID_StdPicture)) {
        if (FAILED(OleLoadPicture(stream, 0, FALSE, iid, reinterpret_cast<void**>(loaded.GetAddressOf()))))
            return false;
    } else {
        ComPtr<IPersistStream> persist;
        if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                    IID_PPV_ARGS(&persist))) ||
            FAILED(persist->Load(stream)) ||
            FAILED(persist->QueryInterface(iid, reinterpret_cast<void**>(loaded.GetAddressOf()))))
            return false;
    }
    if (!loaded)
        return false;
    value = loaded;
    return true;
}

bool CStreamLoadExchange::ExchangeObject(const char*, ComPtr<IUnknown>& value, REFIID iid, IUnknown* defaultValue)
{
    if (HasFailed() || !stream)
        return Check(false);
    return Check(ReadObject(value, iid, defaultValue));
}
