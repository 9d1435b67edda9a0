#include "ScriptFile.h"

#include <windows.h>

namespace {

bool ReadAllBytes(const std::wstring& path, std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool read = GetFileSizeEx(file, &size) && size.QuadPart < 64 * 1024 * 1024;
    if (read) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = bytes.empty() || (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                                 got == bytes.size());
    }
    CloseHandle(file);
    return read;
}

bool Decode(UINT codePage, DWORD flags, const char* data, size_t size, std::wstring& text)
{
    if (size == 0) {
        text.clear();
        return true;
    }
    int length = MultiByteToWideChar(codePage, flags, data, static_cast<int>(size), nullptr, 0);
    if (length <= 0)
        return false;
    text.assign(static_cast<size_t>(length), L'\0');
    return MultiByteToWideChar(codePage, flags, data, static_cast<int>(size), &text[0], length) == length;
}

} // namespace

bool ReadScriptFile(const std::wstring& path, std::wstring& text)
{
    std::string bytes;
    if (!ReadAllBytes(path, bytes))
        return false;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
        return true;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return Decode(CP_UTF8, 0, bytes.data() + 3, bytes.size() - 3, text);
    return Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), bytes.size(), text) ||
           Decode(CP_ACP, 0, bytes.data(), bytes.size(), text);
}
