#include "ModulePath.h"

std::wstring ModuleFullPath(HINSTANCE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ModuleShortPath(HINSTANCE module)
{
    std::wstring path = ModuleFullPath(module);
    if (path.empty())
        return path;
    DWORD shortLength = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (shortLength == 0)
        return path;
    std::wstring shortPath(shortLength, L'\0');
    shortLength = GetShortPathNameW(path.c_str(), &shortPath[0], shortLength);
    if (shortLength == 0 || shortLength >= shortPath.size())
        return path;
    shortPath.resize(shortLength);
    return shortPath;
}
