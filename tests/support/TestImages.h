// The overlay test images made at build time (see TestImages.cmake) and what they show.
#pragma once

#include <windows.h>

#include <string>

namespace test_images {

constexpr LONG kWidth = 320;
constexpr LONG kHeight = 240;
// Quadrant colours as 0x00RRGGBB: top left, top right, bottom left, bottom right.
constexpr DWORD kTopLeft = 0xFF0000;
constexpr DWORD kTopRight = 0x00FF00;
constexpr DWORD kBottomLeft = 0x0000FF;
constexpr DWORD kBottomRight = 0xFFFFFF;

inline std::string Path(const char* name) { return std::string(CORVANE_TEST_IMAGE_DIR) + "/" + name; }
inline std::string Bmp() { return Path("quadrants.bmp"); }
inline std::string Png() { return Path("quadrants.png"); }
inline std::string Jpeg() { return Path("quadrants.jpg"); }

// A file with an image name that holds no image, in the prefix's temporary folder.
inline std::string NotAnImage()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "corvane-not-an-image.png";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    const char text[] = "this is plain text, not a picture";
    DWORD written = 0;
    WriteFile(file, text, sizeof text - 1, &written, nullptr);
    CloseHandle(file);
    return path;
}

}  // namespace test_images
