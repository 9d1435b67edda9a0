// Damaged and mismatched media made from good clips, reproducibly: file n of a seed is always
// the same bytes under the same name. The kinds are what downloads and hostile senders give:
// truncation, flipped bytes in the header or the payload, empty files, declared sizes and
// counts far beyond the file in AVI, MP4, Matroska and WAV headers, one container's content
// under another's extension, and text under a media name.
#pragma once

#include <string>
#include <vector>

struct MutatedMedia
{
    std::string name;   // leaf name: index, kind and base, with the extension it claims
    std::string kind;   // "truncated", "header-flips", ... (the figures count by kind)
    std::vector<unsigned char> bytes;
};

struct BaseClip
{
    std::string extension;  // "avi", "mp4", "mkv", "wav", "mp3"
    std::vector<unsigned char> bytes;
};

// File `index` of `seed`, made from one of `bases` (none may be empty).
MutatedMedia MutateMedia(const std::vector<BaseClip>& bases, unsigned seed, int index);
