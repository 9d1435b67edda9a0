// The player's status line, and the optional log file that automation reads: every status
// message, the playing position, and the window's place on the screen.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

class CStatusLine final
{
public:
    CStatusLine() = default;
    ~CStatusLine();
    CStatusLine(const CStatusLine&) = delete;
    CStatusLine& operator=(const CStatusLine&) = delete;

    void OpenLog(const std::wstring& path);
    void SetWindow(HWND statusWindow) { window = statusWindow; }
    // Shows `message` in the status line and logs it as "status: message".
    void Show(const std::wstring& message);
    // Writes "kind: text" to the log only.
    void Log(const wchar_t* kind, const std::wstring& text);

private:
    HWND window = nullptr;
    FILE* log = nullptr;
};
