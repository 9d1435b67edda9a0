#include "StatusLine.h"

CStatusLine::~CStatusLine()
{
    if (log)
        fclose(log);
}

void CStatusLine::OpenLog(const std::wstring& path)
{
    if (!path.empty())
        log = _wfopen(path.c_str(), L"wb");
}

void CStatusLine::Show(const std::wstring& message)
{
    if (window)
        SetWindowTextW(window, message.c_str());
    Log(L"status", message);
}

void CStatusLine::Log(const wchar_t* kind, const std::wstring& text)
{
    if (!log)
        return;
    // UTF-8, flushed at once: the log is read while the player runs.
    std::wstring line = std::wstring(kind) + L": " + text + L"\n";
    int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &utf8[0], size, nullptr, nullptr);
    fwrite(utf8.data(), 1, utf8.size(), log);
    fflush(log);
}
