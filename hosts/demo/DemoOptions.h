// The player's command line: media files for layers 0, 1, ... and options for automation.
#pragma once

#include <string>
#include <vector>

struct DemoOptions
{
    std::vector<std::wstring> files;   // loaded into layers 0, 1, ... in this order
    std::wstring overlayText;          // shown over the video when not empty
    std::wstring logFile;              // status messages, positions and the window's place
    std::wstring snapshotFile;         // the control's own snapshot, taken before exit
    double seconds = 0.0;              // > 0: exit after this many seconds
    bool loop = false;
    bool help = false;
    std::wstring error;                // a command line that cannot be understood
};

DemoOptions ParseDemoOptions(int argc, wchar_t** argv);
extern const wchar_t kDemoUsage[];
