// The overlay picture with Wine's real Direct3D 9 and image loader. Wine's mixer bitmap is a
// stub, so the mixer stays a fake here; the surface the engine fills is real.
#include "OverlayFakeFixture.h"

#include "support/TestImages.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct SurfacePixels
{
    UINT width = 0;
    UINT height = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
    DWORD At(UINT x, UINT y) const { return pixels.at(y * width + x); }
};

SurfacePixels ReadSurface(IDirect3DSurface9* surface)
{
    SurfacePixels read;
    D3DSURFACE_DESC desc = {};
    if (!surface || FAILED(surface->GetDesc(&desc)))
        return read;
    read.width = desc.Width;
    read.height = desc.Height;
    read.format = desc.Format;
    D3DLOCKED_RECT locked = {};
    if (FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        return read;
    for (UINT y = 0; y < desc.Height; ++y) {
        const DWORD* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch);
        for (UINT x = 0; x < desc.Width; ++x)
            read.pixels.push_back(row[x] & 0x00FFFFFF);
    }
    surface->UnlockRect();
    return read;
}

// Each channel within `tolerance` (lossy images).
bool Near(DWORD actual, DWORD expected, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = static_cast<int>((actual >> shift) & 0xFF);
        int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance)
            return false;
    }
    return true;
}

void ExpectQuadrants(const SurfacePixels& read, int tolerance)
{
    const UINT w = read.width, h = read.height;
    EXPECT_TRUE(Near(read.At(w / 4, h / 4), test_images::kTopLeft, tolerance)) << std::hex << read.At(w / 4, h / 4);
    EXPECT_TRUE(Near(read.At(3 * w / 4, h / 4), test_images::kTopRight, tolerance)) << std::hex << read.At(3 * w / 4, h / 4);
    EXPECT_TRUE(Near(read.At(w / 4, 3 * h / 4), test_images::kBottomLeft, tolerance)) << std::hex << read.At(w / 4, 3 * h / 4);
    EXPECT_TRUE(Near(read.At(3 * w / 4, 3 * h / 4), test_images::kBottomRight, tolerance)) << std::hex << read.At(3 * w / 4, 3 * h / 4);
}

}  // namespace

class OverlayPictureReal : public OverlayFake
{
protected:
    void SetUp() override
    {
        // The fake platform's graph and mixer, with the real Direct3D and image loader.
        PlatformServices services = Platform();
        const PlatformServices real = PlatformServices::Real();
        services.createDirect3D = real.createDirect3D;
        services.loadSurfaceFromFile = real.loadSurfaceFromFile;
        InstallPlatformServices(services);
        OverlayFake::SetUp();
    }

    SurfacePixels Show(const std::string& file)
    {
        EXPECT_EQ(engine.SetOverlayBitmap(file.c_str(), 100, 0xFFFFFF, RECT{0, 0, 320, 240}), 1) << engine.LastError();
        return ReadSurface(Inside(engine).overlaySurface().Get());
    }
};

TEST_F(OverlayPictureReal, BitmapFileGivesASurfaceOfItsOwnSizeHoldingThePicture)
{
    SurfacePixels read = Show(test_images::Bmp());
    ASSERT_EQ(read.width, static_cast<UINT>(test_images::kWidth));
    ASSERT_EQ(read.height, static_cast<UINT>(test_images::kHeight));
    EXPECT_EQ(read.format, D3DFMT_X8R8G8B8);
    ASSERT_EQ(read.pixels.size(), static_cast<size_t>(320 * 240));
    ExpectQuadrants(read, 0);
    // Copied pixel for pixel: the quadrant borders are sharp.
    EXPECT_EQ(read.At(159, 119), test_images::kTopLeft);
    EXPECT_EQ(read.At(160, 119), test_images::kTopRight);
    EXPECT_EQ(read.At(159, 120), test_images::kBottomLeft);
    EXPECT_EQ(read.At(160, 120), test_images::kBottomRight);
    EXPECT_EQ(LastSet().pDDS, Inside(engine).overlaySurface().Get());
}

TEST_F(OverlayPictureReal, PngIsScaledIntoTheFallbackSquare)
{
    SurfacePixels read = Show(test_images::Png());
    ASSERT_EQ(read.width, 128u);
    ASSERT_EQ(read.height, 128u);
    ExpectQuadrants(read, 2);
}

TEST_F(OverlayPictureReal, JpegIsScaledIntoTheFallbackSquare)
{
    SurfacePixels read = Show(test_images::Jpeg());
    ASSERT_EQ(read.width, 128u);
    ASSERT_EQ(read.height, 128u);
    ExpectQuadrants(read, 12);
}

TEST_F(OverlayPictureReal, UnreadableFileLeavesTheSurfaceAsCreated)
{
    SurfacePixels read = Show(test_images::NotAnImage());
    ASSERT_EQ(read.width, 128u);
    ASSERT_EQ(read.height, 128u);

    Microsoft::WRL::ComPtr<IDirect3DSurface9> fresh;
    ASSERT_EQ(Inside(engine).d3dDevice()->CreateOffscreenPlainSurface(128, 128, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                           &fresh, nullptr), D3D_OK);
    SurfacePixels created = ReadSurface(fresh.Get());
    ASSERT_EQ(created.pixels.size(), read.pixels.size());
    EXPECT_EQ(read.pixels, created.pixels);
}

TEST_F(OverlayPictureReal, UpdateBeforeAnyPictureReportsNoSurface)
{
    EXPECT_EQ(engine.UpdateOverlayBitmap(100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    EXPECT_NE(std::strstr(engine.LastError().c_str(), "Can't set bitmap, no Direct3D surface"), nullptr) << engine.LastError();
}

// Entirely Wine's platform: graph, mixer, Direct3D.
class OverlayAllReal : public RealEngine
{
protected:
    void SetUp() override
    {
        RealEngine::SetUp();
        Build();
        ASSERT_EQ(Inside(engine).EnsureDirect3D(), 1) << engine.LastError();
    }
};

TEST_F(OverlayAllReal, UpdateBeforeAnyPictureReportsNoSurface)
{
    EXPECT_EQ(engine.UpdateOverlayBitmap(100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    EXPECT_NE(std::strstr(engine.LastError().c_str(), "Can't set bitmap, no Direct3D surface : COM Error 0x80004005"),
              nullptr)
        << engine.LastError();
}

TEST_F(OverlayAllReal, WithoutADeviceThePictureIsRefused)
{
    Inside(engine).d3dDevice().Reset();
    EXPECT_EQ(engine.SetOverlayBitmap(test_images::Bmp().c_str(), 100, 0xFFFFFF, RECT{0, 0, 10, 10}), 0);
    EXPECT_NE(std::strstr(engine.LastError().c_str(), "Can't set bitmap, no Direct3D device"), nullptr) << engine.LastError();
    EXPECT_FALSE(Inside(engine).overlaySurface());
}
