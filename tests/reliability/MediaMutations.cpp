#include "MediaMutations.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

// A size or count field at a fixed distance from a tag the format writes before it.
struct DeclaredField
{
    const char* extension;
    std::string tag;
    size_t offset;   // from the tag's first byte
    int width;       // 2 or 4 bytes; 0: a Matroska variable-length size right after the tag
    bool bigEndian;
};

// The 4 bytes before a tag: where a box or list keeps its size (offsets wrap around size_t).
constexpr size_t kSizeBefore = static_cast<size_t>(-4);

std::string Bytes(std::initializer_list<unsigned char> values) { return std::string(values.begin(), values.end()); }

const std::vector<DeclaredField>& DeclaredFields()
{
    static const std::vector<DeclaredField> fields = {
        // RIFF: the file's size, the main header's frame and stream counts, a stream's length,
        // the movie list, the index and the first frame's chunk.
        {"avi", "RIFF", 4, 4, false},      {"avi", "avih", 8 + 16, 4, false}, {"avi", "avih", 8 + 24, 4, false},
        {"avi", "avih", 8 + 28, 4, false}, {"avi", "strh", 8 + 32, 4, false}, {"avi", "strh", 8 + 44, 4, false},
        {"avi", "strf", 4, 4, false},      {"avi", "movi", kSizeBefore, 4, false}, {"avi", "idx1", 4, 4, false},
        {"avi", "00dc", 4, 4, false},      {"avi", "01wb", 4, 4, false},
        {"wav", "RIFF", 4, 4, false},      {"wav", "fmt ", 8 + 2, 2, false},  {"wav", "fmt ", 8 + 4, 4, false},
        {"wav", "fmt ", 8 + 12, 2, false}, {"wav", "data", 4, 4, false},
        // MP4: box sizes (before the type), sample and chunk counts, the media time scale.
        {"mp4", "moov", kSizeBefore, 4, true}, {"mp4", "trak", kSizeBefore, 4, true}, {"mp4", "mdia", kSizeBefore, 4, true},
        {"mp4", "stbl", kSizeBefore, 4, true}, {"mp4", "mdat", kSizeBefore, 4, true}, {"mp4", "stsz", 12, 4, true},
        {"mp4", "stsz", kSizeBefore, 4, true}, {"mp4", "stco", 8, 4, true},       {"mp4", "stts", 8, 4, true},
        {"mp4", "stsc", 8, 4, true},       {"mp4", "stss", 8, 4, true},       {"mp4", "mdhd", 16, 4, true},
        {"mp4", "avcC", kSizeBefore, 4, true}, {"mp4", "esds", kSizeBefore, 4, true},
        // Matroska: the header, segment, track list, cluster, cue and seek element sizes.
        {"mkv", Bytes({0x1A, 0x45, 0xDF, 0xA3}), 4, 0, true}, {"mkv", Bytes({0x18, 0x53, 0x80, 0x67}), 4, 0, true},
        {"mkv", Bytes({0x16, 0x54, 0xAE, 0x6B}), 4, 0, true}, {"mkv", Bytes({0x1F, 0x43, 0xB6, 0x75}), 4, 0, true},
        {"mkv", Bytes({0x1C, 0x53, 0xBB, 0x6B}), 4, 0, true}, {"mkv", Bytes({0x11, 0x4D, 0x9B, 0x74}), 4, 0, true},
        {"mkv", Bytes({0x15, 0x49, 0xA9, 0x66}), 4, 0, true}, {"mkv", Bytes({0x63, 0xA2}), 2, 0, true},
        // MP3: the tag header's size and the frame count of the first frame's summary.
        {"mp3", "ID3", 6, 4, true},        {"mp3", "Info", 8, 4, true},       {"mp3", "Xing", 8, 4, true},
    };
    return fields;
}

void Write(std::vector<unsigned char>& bytes, size_t at, int width, bool bigEndian, uint32_t value)
{
    for (int i = 0; i < width && at + static_cast<size_t>(i) < bytes.size(); ++i) {
        const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
        bytes[at + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> shift);
    }
}

// A Matroska size at `at` made unknown (all ones) or as large as its length allows.
void WriteHugeVint(std::vector<unsigned char>& bytes, size_t at, bool unknown)
{
    if (at >= bytes.size() || bytes[at] == 0)
        return;
    int length = 1;
    while (!(bytes[at] & (0x80 >> (length - 1))))
        ++length;
    bytes[at] = static_cast<unsigned char>((0xFF >> (length - 1)) | (0x80 >> (length - 1)));
    for (int i = 1; i < length && at + static_cast<size_t>(i) < bytes.size(); ++i)
        bytes[at + static_cast<size_t>(i)] = 0xFF;
    if (!unknown)
        bytes[std::min(bytes.size() - 1, at + static_cast<size_t>(length) - 1)] &= 0xFE;
}

// Where `tag` occurs in `bytes`, up to a few places.
std::vector<size_t> Occurrences(const std::vector<unsigned char>& bytes, const std::string& tag)
{
    std::vector<size_t> found;
    auto at = bytes.begin();
    while (found.size() < 8) {
        at = std::search(at, bytes.end(), tag.begin(), tag.end());
        if (at == bytes.end())
            break;
        found.push_back(static_cast<size_t>(at - bytes.begin()));
        ++at;
    }
    return found;
}

class Mutator
{
public:
    Mutator(const std::vector<BaseClip>& bases, unsigned seed, int index)
        : bases(bases), random(seed * 2654435761u ^ static_cast<unsigned>(index) * 40503u), index(index)
    {
    }

    MutatedMedia Make()
    {
        // The two truncations that once kept a load from returning come first.
        if (index < 2 && Base("mp4")) {
            const BaseClip& mp4 = *Base("mp4");
            const size_t length = index == 0 ? 1000 : mp4.bytes.size() * 9 / 10;
            return Named("truncated", mp4, mp4.extension, {mp4.bytes.begin(), mp4.bytes.begin() + static_cast<long>(length)});
        }
        const BaseClip& base = bases[Below(bases.size())];
        std::vector<unsigned char> bytes = base.bytes;
        const unsigned roll = Below(100);
        if (roll < 30) {
            const size_t size = bytes.size();
            const unsigned how = Below(3);
            const size_t length = how == 0 ? 1 + Below(std::min<size_t>(size - 1, 4096))
                                  : how == 1 ? size * (50 + Below(50)) / 100
                                             : 1 + Below(size - 1);
            bytes.resize(length);
            return Named("truncated", base, base.extension, std::move(bytes));
        }
        if (roll < 65) {
            const bool header = roll < 50;
            const size_t headerEnd = std::min<size_t>(bytes.size(), 4096);
            const size_t from = header ? 0 : headerEnd;
            const size_t span = header ? headerEnd : bytes.size() - headerEnd;
            for (unsigned flips = 1 + Below(header ? 8 : 32); flips > 0 && span > 0; --flips)
                bytes[from + Below(span)] ^= static_cast<unsigned char>(1 + Below(255));
            return Named(header ? "header-flips" : "payload-flips", base, base.extension, std::move(bytes));
        }
        if (roll < 85) {
            if (!DeclareHuge(base.extension, bytes))
                bytes.resize(bytes.size() / 2);  // a format without a known field: cut instead
            return Named("huge-declared", base, base.extension, std::move(bytes));
        }
        if (roll < 92) {
            const BaseClip& other = bases[(static_cast<size_t>(&base - bases.data()) + 1 + Below(bases.size() - 1)) %
                                          bases.size()];
            return Named("swapped", base, other.extension, std::move(bytes));
        }
        if (roll < 95)
            return Named("empty", base, base.extension, {});
        const char* text = "This is a text file, not a clip.\r\nRIFF AVI LIST movi ftyp moov\r\n";
        const char* extensions[] = {"avi", "mp4", "mkv"};
        return Named("text", base, extensions[Below(3)], {text, text + std::strlen(text)});
    }

private:
    const BaseClip* Base(const std::string& extension) const
    {
        for (const BaseClip& base : bases)
            if (base.extension == extension && !base.bytes.empty())
                return &base;
        return nullptr;
    }

    size_t Below(size_t bound) { return bound == 0 ? 0 : std::uniform_int_distribution<size_t>(0, bound - 1)(random); }

    // One or two size or count fields of the format set far beyond the file.
    bool DeclareHuge(const std::string& extension, std::vector<unsigned char>& bytes)
    {
        std::vector<std::pair<const DeclaredField*, size_t>> candidates;
        for (const DeclaredField& field : DeclaredFields())
            if (extension == field.extension)
                for (size_t at : Occurrences(bytes, field.tag))
                    if (at + field.offset < bytes.size())  // also skips a negative offset at 0
                        candidates.emplace_back(&field, at + field.offset);
        if (candidates.empty())
            return false;
        const uint32_t huge[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x40000000u, 0u, 1u};
        for (unsigned edits = 1 + Below(2); edits > 0; --edits) {
            const auto& [field, at] = candidates[Below(candidates.size())];
            if (field->width == 0)
                WriteHugeVint(bytes, at, Below(2) == 0);
            else
                Write(bytes, at, field->width, field->bigEndian, huge[Below(5)]);
        }
        return true;
    }

    MutatedMedia Named(const char* kind, const BaseClip& base, const std::string& extension,
                       std::vector<unsigned char> bytes) const
    {
        char name[96];
        std::snprintf(name, sizeof name, "%04d-%s-from-%s.%s", index, kind, base.extension.c_str(), extension.c_str());
        return {name, kind, std::move(bytes)};
    }

    const std::vector<BaseClip>& bases;
    std::mt19937 random;
    const int index;
};

}  // namespace

MutatedMedia MutateMedia(const std::vector<BaseClip>& bases, unsigned seed, int index)
{
    return Mutator(bases, seed, index).Make();
}
