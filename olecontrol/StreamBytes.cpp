#include "StreamBytes.h"

bool ReadExactly(IStream* stream, void* data, ULONG size)
{
    auto* bytes = static_cast<BYTE*>(data);
    while (size > 0) {
        ULONG read = 0;
        HRESULT hr = stream->Read(bytes, size, &read);
        if (FAILED(hr) || read == 0)
            return false;
        bytes += read;
        size -= read;
    }
    return true;
}

bool WriteFully(IStream* stream, const void* data, ULONG size)
{
    const auto* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        ULONG written = 0;
        HRESULT hr = stream->Write(bytes, size, &written);
        if (FAILED(hr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool ReadLittleEndian(IStream* stream, ULONG& value, ULONG byteCount)
{
    BYTE bytes[4] = {};
    if (byteCount > sizeof(bytes) || !ReadExactly(stream, bytes, byteCount))
        return false;
    value = 0;
    for (ULONG i = byteCount; i > 0; --i)
        value = (value << 8) | bytes[i - 1];
    return true;
}

bool WriteLittleEndian(IStream* stream, ULONG value, ULONG byteCount)
{
    BYTE bytes[4] = {};
    if (byteCount > sizeof(bytes))
        return false;
    for (ULONG i = 0; i < byteCount; ++i)
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
    return WriteFully(stream, bytes, byteCount);
}
