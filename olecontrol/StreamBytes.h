// Exact reads and complete writes on an IStream: a short read is a failure, not a partial value.
#pragma once

#include <windows.h>
#include <objidl.h>

bool ReadExactly(IStream* stream, void* data, ULONG size);
bool WriteFully(IStream* stream, const void* data, ULONG size);

// Little-endian integers of 1, 2 or 4 bytes, whatever the processor's byte order.
bool ReadLittleEndian(IStream* stream, ULONG& value, ULONG byteCount);
bool WriteLittleEndian(IStream* stream, ULONG value, ULONG byteCount);
