// Saving the mixer's picture as a bitmap file, with the fake mixer handing back chosen blocks.
// Every written file is read back and compared byte for byte.
#include "EngineFixture.h"

#include "fakes/PackedDib.h"
#include "support/TaskMemorySpy.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

template <class T> T At(const Bytes& bytes, size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// Pixels that differ from byte to byte, so a shifted or cut copy shows.
Bytes Patterned(Bytes block, size_t from)
{
    for (size_t i = from; i < block.size(); ++i)
        block[i] = static_cast<BYTE>(i * 7 + 3);
    return block;
}

class SnapshotFake : public BuiltFakeEngine
{
protected:
    std::string folder;

    void SetUp() override
    {
        ASSERT_TRUE(TaskMemorySpy::Instance().Registered());
        BuiltFakeEngine::SetUp();
        char temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder = std::string(temp) + "corvane-snapshot-" + std::to_string(GetCurrentProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }

    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
        BuiltFakeEngine::TearDown();
    }

    std::string PathOf(const std::string& name) const { return folder + "\\" + name; }

    // Hands `block` to the mixer, saves it, and checks that the block was freed.
    int Save(const Bytes& block, const std::string& path)
    {
        Vmr().settings.currentImage = block;
        Vmr().lastImage = nullptr;
        int result = engine.SaveCurrentImage(path.c_str());
        if (Vmr().lastImage) {
            EXPECT_TRUE(TaskMemorySpy::Instance().WasFreed(Vmr().lastImage)) << "block not freed";
        }
        return result;
    }

    // The file: "BM", whole size, two zero words, pixel offset, then the first D bytes of the block.
    static void ExpectBitmapFile(const Bytes& file, const Bytes& block, DWORD dibLength, DWORD pixelOffset)
    {
        ASSERT_EQ(file.size(), 14u + dibLength);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(At<DWORD>(file, 2), 14u + dibLength);
        EXPECT_EQ(At<WORD>(file, 6), 0u);
        EXPECT_EQ(At<WORD>(file, 8), 0u);
        EXPECT_EQ(At<DWORD>(file, 10), pixelOffset);
        EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), block.begin())) << "DIB bytes differ";
    }
};

// ---- layouts ----

TEST_F(SnapshotFake, ThirtyTwoBitPictureHasItsPixelsRightAfterTheHeaders)
{
    const Bytes block = Patterned(MakePackedDib(640, 480, 32), 40);
    const std::string path = PathOf("32.bmp");
    ASSERT_EQ(Save(block, path), 1);
    const Bytes file = ReadAll(path);
    EXPECT_EQ(file.size(), 640u * 480u * 4u + 54u);
    ExpectBitmapFile(file, block, static_cast<DWORD>(block.size()), 54);
}

TEST_F(SnapshotFake, EightBitPictureWithoutAColourCountCarriesAllTwoHundredFiftySixColours)
{
    const Bytes block = Patterned(MakePackedDib(33, 7, 8, 0), 40);
    ASSERT_EQ(block.size(), 40u + 1024u + 36u * 7u);
    ASSERT_EQ(Save(block, PathOf("8.bmp")), 1);
    ExpectBitmapFile(ReadAll(PathOf("8.bmp")), block, static_cast<DWORD>(block.size()), 14 + 40 + 1024);
}

TEST_F(SnapshotFake, SixteenColoursUsedGiveASixtyFourByteTable)
{
    const Bytes block = Patterned(MakePackedDib(16, 4, 8, 16), 40);
    ASSERT_EQ(Save(block, PathOf("16.bmp")), 1);
    ExpectBitmapFile(ReadAll(PathOf("16.bmp")), block, static_cast<DWORD>(block.size()), 14 + 40 + 64);
}

TEST_F(SnapshotFake, OnlyTheDibIsWrittenWhenTheBlockIsLonger)
{
    Bytes block = Patterned(MakePackedDib(8, 8, 24), 40);
    const DWORD dibLength = static_cast<DWORD>(block.size());
    block.resize(block.size() + 100, 0xEE);
    ASSERT_EQ(Save(block, PathOf("long.bmp")), 1);
    ExpectBitmapFile(ReadAll(PathOf("long.bmp")), block, dibLength, 54);
}

TEST_F(SnapshotFake, UncompressedPictureWithoutAnImageSizeStillGetsItsPixels)
{
    Bytes block = Patterned(MakePackedDib(10, -3, 24), 40);  // rows of 30 bytes padded to 32
    ASSERT_EQ(block.size(), 40u + 96u);
    BITMAPINFOHEADER* info = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    info->biSizeImage = 0;
    ASSERT_EQ(Save(block, PathOf("nosize.bmp")), 1);
    ExpectBitmapFile(ReadAll(PathOf("nosize.bmp")), block, 40 + 96, 54);
}

TEST_F(SnapshotFake, BitFieldMasksAreKeptBetweenHeaderAndPixels)
{
    const Bytes plain = MakePackedDib(4, 2, 16);
    Bytes block(plain.begin(), plain.begin() + 40);
    for (DWORD mask : {0xF800u, 0x07E0u, 0x001Fu})
        block.insert(block.end(), reinterpret_cast<BYTE*>(&mask), reinterpret_cast<BYTE*>(&mask) + 4);
    block.insert(block.end(), plain.begin() + 40, plain.end());
    reinterpret_cast<BITMAPINFOHEADER*>(block.data())->biCompression = BI_BITFIELDS;
    block = Patterned(block, 52);
    ASSERT_EQ(Save(block, PathOf("masks.bmp")), 1);
    ExpectBitmapFile(ReadAll(PathOf("masks.bmp")), block, static_cast<DWORD>(block.size()), 14 + 40 + 12);
}

// ---- files ----

TEST_F(SnapshotFake, AnExistingFileIsReplacedCompletely)
{
    const std::string path = PathOf("old.bmp");
    WriteAll(path, Bytes(200000, 0xAA));
    const Bytes block = Patterned(MakePackedDib(16, 16, 32), 40);
    ASSERT_EQ(Save(block, path), 1);
    ExpectBitmapFile(ReadAll(path), block, static_cast<DWORD>(block.size()), 54);
}

TEST_F(SnapshotFake, AFolderThatDoesNotExistGivesZeroAndCreatesNothing)
{
    const std::string missing = PathOf("missing");
    EXPECT_EQ(Save(MakePackedDib(16, 16, 32), missing + "\\shot.bmp"), 0);
    EXPECT_FALSE(Exists(missing));
    EXPECT_EQ(platform.Log().Count("IVMRWindowlessControl9::GetCurrentImage"), 1u);
}

TEST_F(SnapshotFake, AFileHeldOpenWithoutWriteSharingIsLeftAsItWas)
{
    const std::string path = PathOf("held.bmp");
    const Bytes before(5000, 0x55);
    WriteAll(path, before);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Save(MakePackedDib(16, 16, 32), path), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(SnapshotFake, AWriteThatFailsGivesZero)
{
    // Every write to this device fails as on a full disk; it is opened, never removed.
    const std::string fullDevice = "Z:\\dev\\full";
    auto opens = [&] {
        HANDLE device = CreateFileA(fullDevice.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (device == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(device);
        return true;
    };
    if (!opens())
        GTEST_SKIP() << "no full-disk device on this system";
    EXPECT_EQ(Save(MakePackedDib(16, 16, 32), fullDevice), 0);
    EXPECT_TRUE(opens());
}

// ---- nothing to save ----

TEST_F(SnapshotFake, NoPictureFromTheMixerGivesZeroAndNoFile)
{
    EXPECT_EQ(Save(Bytes(), PathOf("none.bmp")), 0);  // the fake's GetCurrentImage then fails
    EXPECT_FALSE(Exists(PathOf("none.bmp")));
    platform.FailNext("IVMRWindowlessControl9::GetCurrentImage", E_NOTIMPL);
    EXPECT_EQ(Save(MakePackedDib(4, 4, 32), PathOf("none.bmp")), 0);
    EXPECT_FALSE(Exists(PathOf("none.bmp")));
    EXPECT_NE(engine.LastError().find("Can't get the current image : COM Error 0x80004001"), std::string::npos);
}

TEST_F(SnapshotFake, WithoutARendererNothingIsAsked)
{
    Inside(engine).windowlessControl().Reset();
    EXPECT_EQ(Save(MakePackedDib(4, 4, 32), PathOf("none.bmp")), 0);
    EXPECT_FALSE(Exists(PathOf("none.bmp")));
    EXPECT_EQ(platform.Log().Count("IVMRWindowlessControl9::GetCurrentImage"), 0u);
    EXPECT_EQ(engine.LastError(), "");
}

TEST_F(SnapshotFake, ABlockShorterThanItsHeaderClaimsLeavesTheFileAlone)
{
    const std::string path = PathOf("kept.bmp");
    const Bytes before(300, 0x11);
    WriteAll(path, before);
    Bytes block = MakePackedDib(16, 16, 32);
    block.resize(block.size() - 1);  // one pixel byte short
    EXPECT_EQ(Save(block, path), 0);
    Bytes header = MakePackedDib(16, 16, 32);
    reinterpret_cast<BITMAPINFOHEADER*>(header.data())->biSize = 12;  // not an info header
    EXPECT_EQ(Save(header, path), 0);
    EXPECT_EQ(ReadAll(path), before);
}

}  // namespace
