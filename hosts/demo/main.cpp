// The Corvane demo player: hosts the registered control in the system's ATL container and plays
// the files given on the command line mixed in one rectangle.
#include "DemoOptions.h"
#include "PlayerWindow.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int show)
{
    DemoOptions options = ParseDemoOptions(__argc, __wargv);
    if (options.help || !options.error.empty()) {
        std::wstring text = options.error.empty() ? kDemoUsage : options.error + L"\n\n" + kDemoUsage;
        // Scripts read the usage from standard output; a person sees a message box.
        DWORD written = 0;
        HANDLE out = GetStdHandle(options.error.empty() ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
        if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
            std::string ansi(text.begin(), text.end());
            WriteFile(out, ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr);
        } else {
            MessageBoxW(nullptr, text.c_str(), L"Corvane demo player", MB_OK);
        }
        return options.error.empty() ? 0 : 2;
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    int result = 1;
    {
        CPlayerWindow player(options);
        if (player.Create(show)) {
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            result = 0;
        }
    }
    OleUninitialize();
    return result;
}
