#include "ConsoleOutput.h"

#include <windows.h>

namespace {

void WriteLine(DWORD which, const std::wstring& text)
{
    std::wstring line = text + L"\n";
    int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &bytes[0], size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace

void WriteOutputLine(const std::wstring& text)
{
    WriteLine(STD_OUTPUT_HANDLE, text);
}

void WriteErrorLine(const std::wstring& text)
{
    WriteLine(STD_ERROR_HANDLE, text);
}
