// A folder of the test's own under the temporary folder, emptied and removed at the end: where
// random paths point, so that no call can read or write files anywhere else.
#pragma once

#include <windows.h>

#include <string>

class ScratchFolder
{
public:
    explicit ScratchFolder(const char* name)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& leaf) const { return path + "\\" + leaf; }
    const std::string& Path() const { return path; }

private:
    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found = {};
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(folder + "\\" + name);
                else
                    DeleteFileA((folder + "\\" + name).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path;
};
