// Saving the mixer's current picture as a bitmap file: a 14-byte file header followed by the
// packed device-independent bitmap the mixer hands back.
#include "VMR9Graph.h"

#include <cstring>
#include <memory>

namespace {
static_assert(sizeof(BITMAPFILEHEADER) == 14, "the file header has no gaps");

struct TaskMemFree
{
    void operator()(BYTE* block) const { CoTaskMemFree(block); }
};
using TaskBlock = std::unique_ptr<BYTE, TaskMemFree>;

// Where the parts of a packed DIB lie: header and colour table first, then the pixels.
struct DibLayout
{
    DWORD pixelOffset;  // info header, colour masks and colour table
    DWORD length;       // the whole DIB
};

// The allocator knows how long the mixer's block is; SIZE_T(-1) when it cannot tell.
SIZE_T BlockSize(const BYTE* block)
{
    Microsoft::WRL::ComPtr<IMalloc> allocator;
    if (FAILED(CoGetMalloc(1, &allocator)) || !allocator)
        return static_cast<SIZE_T>(-1);
    return allocator->GetSize(const_cast<BYTE*>(block));
}

// Bytes of pixel bits: the header's count, or for an uncompressed picture that leaves it 0
// (as it may), the rows' size, each row padded to 4 bytes.
bool PixelBytes(const BITMAPINFOHEADER& info, ULONGLONG& bytes)
{
    if (info.biSizeImage != 0) {
        bytes = info.biSizeImage;
        return true;
    }
    if (info.biCompression != BI_RGB && info.biCompression != BI_BITFIELDS)
        return false;
    const ULONGLONG width = info.biWidth < 0 ? 0 : static_cast<ULONGLONG>(info.biWidth);
    const LONGLONG height = info.biHeight;
    const ULONGLONG rows = static_cast<ULONGLONG>(height < 0 ? -height : height);
    bytes = ((width * info.biBitCount + 31) / 32) * 4 * rows;
    return true;
}

bool MeasureDib(const BYTE* block, DibLayout& layout)
{
    const SIZE_T available = BlockSize(block);
    if (available < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER info;
    std::memcpy(&info, block, sizeof info);
    if (info.biSize < sizeof(BITMAPINFOHEADER))
        return false;
    ULONGLONG entries = info.biClrUsed;
    if (entries == 0 && info.biBitCount <= 8)
        entries = 1ull << info.biBitCount;
    // A plain info header with bit-field compression is followed by its three colour masks.
    if (info.biCompression == BI_BITFIELDS && info.biSize == sizeof(BITMAPINFOHEADER))
        entries += 3;
    ULONGLONG pixels = 0;
    if (!PixelBytes(info, pixels))
        return false;
    const ULONGLONG offset = static_cast<ULONGLONG>(info.biSize) + 4 * entries;
    const ULONGLONG length = offset + pixels;
    // The file's sizes are 32-bit, and the block must really hold what its header claims.
    if (length + sizeof(BITMAPFILEHEADER) > 0xFFFFFFFFull || length > available)
        return false;
    layout.pixelOffset = static_cast<DWORD>(offset);
    layout.length = static_cast<DWORD>(length);
    return true;
}

bool WriteAll(HANDLE file, const void* data, DWORD length)
{
    DWORD written = 0;
    return WriteFile(file, data, length, &written, nullptr) && written == length;
}
}  // namespace

int CVMR9Graph::SaveCurrentImage(const wchar_t* path)
{
    EngineGuard guard(engineLock);
    if (!windowlessControl || !path)
        return 0;
    BYTE* raw = nullptr;
    HRESULT hr = ReportIfFailed(windowlessControl->GetCurrentImage(&raw), "Can't get the current image");
    TaskBlock block(raw);  // freed on every path, also when the call failed yet gave a block
    if (FAILED(hr) || !block)
        return 0;
    // Measured before the file is touched, so a malformed block leaves an existing file alone.
    DibLayout layout = {};
    if (!MeasureDib(block.get(), layout))
        return 0;

    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = sizeof header + layout.length;
    header.bfOffBits = sizeof header + layout.pixelOffset;
    const bool written = WriteAll(file, &header, sizeof header) &&
                         WriteAll(file, block.get(), layout.length);
    const bool onDisk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    if (!written) {
        // A cut-off bitmap is no picture: remove it, but only a disk file, never a device.
        if (onDisk)
            DeleteFileW(path);
        return 0;
    }
    return 1;
}
