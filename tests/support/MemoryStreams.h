// Memory streams for the persistence tests: bytes in, bytes out.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

Microsoft::WRL::ComPtr<IStream> NewMemoryStream();
// A stream holding `bytes`, positioned at its start.
Microsoft::WRL::ComPtr<IStream> StreamWithBytes(const Bytes& bytes);
// Everything the stream holds, from its start.
Bytes AllBytesOf(IStream* stream);

// Builders for expected byte layouts.
void AppendLittleEndian(Bytes& bytes, ULONG value, int byteCount);
void AppendBytes(Bytes& bytes, const void* data, size_t size);
// A readable hex dump for failure messages.
std::string HexOf(const Bytes& bytes);
