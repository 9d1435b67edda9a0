// Paths of the test clips the build makes with ffmpeg (tests/media/CMakeLists.txt): 2 s each.
//   av.avi     MJPEG 320x240 + PCM        av.mp4    H.264 320x240 + AAC
//   video.avi  MJPEG 320x240, no sound    sound.wav, sound.mp3  a 440 Hz tone, no picture
//   video640x480.avi, video720x576.avi  MJPEG of those sizes, 1 s, no sound
//   av.mov  H.264 + AAC   av.mkv  VP9 + Opus   av.webm  VP8 + Vorbis   av.ogg  Theora + Vorbis
//   av-mpeg1.mpg, av-mpeg2.mpg  MPEG-1/2 program streams with MP2   av.wmv  WMV2 + WMA2
//   notmedia.avi  a text file that only carries a media file's name
#pragma once

#include <string>

#include "WideText.h"

#ifndef CORVANE_TEST_MEDIA_DIR
#error "link the test with corvane_test_media"
#endif

inline std::string TestMediaPath(const char* file)
{
    std::string path = std::string(CORVANE_TEST_MEDIA_DIR) + "/" + file;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// The same path as UTF-16, the form the control takes names in.
inline std::wstring TestMediaPathW(const char* file) { return Widened(TestMediaPath(file)); }
