#include "DemoOptions.h"

#include <cwchar>

const wchar_t kDemoUsage[] =
    L"corvane-demo [options] [file ...]\n"
    L"Plays the files mixed in one rectangle, the first in layer 0, the next in layer 1, ...\n"
    L"  --text TEXT        overlay text shown over the video\n"
    L"  --loop             play again from the start at the end\n"
    L"  --seconds N        exit after N seconds\n"
    L"  --snapshot FILE    before exiting, save the control's current picture as a bitmap\n"
    L"  --log FILE         write status messages, positions and the window's place to FILE\n"
    L"  --help             this text\n";

DemoOptions ParseDemoOptions(int argc, wchar_t** argv)
{
    DemoOptions options;
    auto value = [&](int& i) -> const wchar_t* {
        if (i + 1 >= argc) {
            options.error = std::wstring(argv[i]) + L" needs a value";
            return nullptr;
        }
        return argv[++i];
    };
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        std::wstring arg = argv[i];
        const wchar_t* v = nullptr;
        if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
            options.help = true;
        } else if (arg == L"--loop") {
            options.loop = true;
        } else if (arg == L"--text") {
            if ((v = value(i)))
                options.overlayText = v;
        } else if (arg == L"--log") {
            if ((v = value(i)))
                options.logFile = v;
        } else if (arg == L"--snapshot") {
            if ((v = value(i)))
                options.snapshotFile = v;
        } else if (arg == L"--seconds") {
            if ((v = value(i))) {
                wchar_t* end = nullptr;
                options.seconds = std::wcstod(v, &end);
                if (end == v || *end || !(options.seconds > 0.0))
                    options.error = L"--seconds needs a positive number, not " + std::wstring(v);
            }
        } else if (arg.size() > 1 && arg[0] == L'-' && arg[1] == L'-') {
            options.error = L"unknown option " + arg;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.size() > 10 && options.error.empty())
        options.error = L"at most 10 files, one per layer";
    return options;
}
