#include "MemoryStreams.h"

#include <cstdio>

using Microsoft::WRL::ComPtr;

ComPtr<IStream> NewMemoryStream()
{
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    return stream;
}

ComPtr<IStream> StreamWithBytes(const Bytes& bytes)
{
    ComPtr<IStream> stream = NewMemoryStream();
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

Bytes AllBytesOf(IStream* stream)
{
    STATSTG status = {};
    stream->Stat(&status, STATFLAG_NONAME);
    Bytes bytes(static_cast<size_t>(status.cbSize.QuadPart));
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

void AppendLittleEndian(Bytes& bytes, ULONG value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void AppendBytes(Bytes& bytes, const void* data, size_t size)
{
    const auto* first = static_cast<const BYTE*>(data);
    bytes.insert(bytes.end(), first, first + size);
}

std::string HexOf(const Bytes& bytes)
{
    std::string text;
    char digits[4];
    for (BYTE byte : bytes) {
        std::snprintf(digits, sizeof(digits), "%02x ", byte);
        text += digits;
    }
    return text;
}
