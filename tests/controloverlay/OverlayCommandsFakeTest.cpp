// The overlay, text and effect commands of the control, with its engine built on the fake
// platform: the fake mixer keeps what it is sent, since the real one is a stub under Wine.
#include <gtest/gtest.h>

#include "OwnedControl.h"
#include "fakes/FakePlatform.h"
#include "fakes/PackedDib.h"
#include "support/TestImages.h"
#include "support/TestWindow.h"
#include "support/WideText.h"
#include "engine/EngineFixture.h"

#include <memory>
#include <vector>

namespace {

constexpr DWORD kRedPixel = 0xFF0000;    // the default text colour, as the fake copies pixels
constexpr DWORD kGreenPixel = 0x00FF00;
constexpr COLORREF kGreen = RGB(0, 255, 0);

// A fresh folder in the temporary folder whose name, like the names made in it, holds CJK,
// accented and a character beyond the BMP (a surrogate pair): none of them in the code page.
std::wstring FolderOutsideTheCodePage()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"corvane-\u5FEB\u7167-\u00E9t\u00E9-\U0001F600";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
const wchar_t kNameOutsideTheCodePage[] = L"\u7247\u6BB5-\u00E9-\U0001F600";

size_t CountOf(const OverlayPicture& picture, DWORD pixel)
{
    size_t count = 0;
    for (DWORD each : picture.pixels)
        count += each == pixel ? 1 : 0;
    return count;
}

class ControlOverlayFake : public ::testing::Test
{
protected:
    FakePlatform platform;  // first: outlives every control and engine
    TestWindow window;
    std::vector<std::unique_ptr<OwnedControl>> controls;
    CCorvaneCtrl* control = nullptr;

    void SetUp() override
    {
        effectFlags = 0;  // one word for the whole process
        ASSERT_NE(window.Handle(), nullptr) << "no display?";
        // 200 x 100 native pixels: x pixels are half percents, y pixels whole percents.
        platform.defaults.vmr.nativeWidth = 200;
        platform.defaults.vmr.nativeHeight = 100;
        platform.defaults.vmr.sizeWithoutVideo = true;
        control = NewControl();
    }
    void TearDown() override
    {
        controls.clear();
        effectFlags = 0;
    }

    CCorvaneCtrl* NewControl()
    {
        controls.push_back(std::make_unique<OwnedControl>());
        CCorvaneCtrl& made = *controls.back()->object;
        EXPECT_TRUE(BuildEngine(made.engine, window.Handle()));
        return &made;
    }

    size_t Sets(const std::string& object = "") { return platform.Log().Count("IVMRMixerBitmap9::SetAlphaBitmap", object); }
    VMR9AlphaBitmap LastSet() { return platform.Log().Last("IVMRMixerBitmap9::SetAlphaBitmap").Raw<VMR9AlphaBitmap>(); }
    VMR9AlphaBitmap Live(int vmr = 0) { return platform.Vmr(vmr).alphaBitmap; }
    static bool Hidden(const VMR9AlphaBitmap& parameters) { return parameters.dwFlags == VMR9AlphaBitmap_Disable; }

    void ShowPicture(CCorvaneCtrl& on, long alpha = 100)
    {
        on.SetOverlayBitmap(Widened(test_images::Bmp()).c_str(), 10, 20, 100, 50, alpha);
        ASSERT_EQ(Inside(on.engine).overlaySurface() != nullptr, true) << on.engine.LastError();
    }
};

TEST_F(ControlOverlayFake, PictureGoesToTheEngineAsARectangleAndIsStoredEvenWhenRefused)
{
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "mixer refuses" : "mixer accepts");
        if (refused)
            platform.FailNext("IVMRMixerBitmap9::SetAlphaBitmap", E_NOTIMPL);
        control->SetOverlayBitmap(Widened(test_images::Bmp()).c_str(), 10, 20, 100, 50, 80);
        const VMR9AlphaBitmap sent = LastSet();
        // {10, 20, 110, 70} of 200 x 100 pixels, in whole percents.
        EXPECT_EQ(sent.rDest.left, 5 * 0.01f);
        EXPECT_EQ(sent.rDest.top, 20 * 0.01f);
        EXPECT_EQ(sent.rDest.right, 55 * 0.01f);
        EXPECT_EQ(sent.rDest.bottom, 70 * 0.01f);
        EXPECT_EQ(sent.fAlpha, 80 * 0.01f);
        EXPECT_EQ(sent.clrSrcKey, 0xFFFFFFu);
        EXPECT_EQ(sent.dwFlags, static_cast<DWORD>(VMR9AlphaBitmap_EntireDDS | VMR9AlphaBitmap_SrcColorKey));
        EXPECT_EQ(control->bitmapFile, Widened(test_images::Bmp()));
        EXPECT_EQ(std::vector<long>({control->bitmapLeft, control->bitmapTop, control->bitmapWidth,
                                     control->bitmapHeight, control->bitmapAlpha}),
                  std::vector<long>({10, 20, 100, 50, 80}));
    }
    // The refused picture's surface is still there: an update offers it again.
    const size_t sets = Sets();
    control->UpdateOverlayBitmapParam(20, 0, 40, 10, 60);
    EXPECT_EQ(Sets(), sets + 1);
    EXPECT_EQ(LastSet().pDDS, Inside(control->engine).overlaySurface().Get());
    EXPECT_EQ(LastSet().fAlpha, 60 * 0.01f);
    EXPECT_EQ(std::vector<long>({control->bitmapLeft, control->bitmapTop, control->bitmapWidth,
                                 control->bitmapHeight, control->bitmapAlpha}),
              std::vector<long>({20, 0, 40, 10, 60}));
    EXPECT_EQ(control->bitmapFile, Widened(test_images::Bmp())) << "an update leaves the file alone";
}

TEST_F(ControlOverlayFake, DisableOverlayBitmapTwiceHidesThenRebuildsFromTheFile)
{
    ShowPicture(*control, 80);
    const VMR9AlphaBitmap shown = LastSet();

    control->DisableOverlayBitmap();
    EXPECT_EQ(effectFlags, OVERLAY_DISABLED);
    EXPECT_TRUE(Hidden(Live()));

    control->DisableOverlayBitmap();
    EXPECT_EQ(effectFlags, 0);
    EXPECT_EQ(platform.Made("surface"), 2u) << "read again from the file into a new surface";
    EXPECT_EQ(platform.Log().Count("D3DXLoadSurfaceFromFileW"), 2u);
    const VMR9AlphaBitmap again = LastSet();
    EXPECT_EQ(again.rDest.left, shown.rDest.left);
    EXPECT_EQ(again.rDest.top, shown.rDest.top);
    EXPECT_EQ(again.rDest.right, shown.rDest.right);
    EXPECT_EQ(again.rDest.bottom, shown.rDest.bottom);
    EXPECT_EQ(again.fAlpha, shown.fAlpha);
    EXPECT_FALSE(Hidden(Live()));
}

TEST_F(ControlOverlayFake, DisableTextBeforeAnyTextOnlySetsTheBitSoTheNextOneShowsTheText)
{
    control->DisableText();
    EXPECT_EQ(effectFlags, OVERLAY_DISABLED);
    EXPECT_EQ(Sets(), 0u);
    EXPECT_EQ(platform.Log().Count("IVMRMixerBitmap9::UpdateAlphaBitmapParameters"), 0u);

    control->SetText(L"hello", 4, 5);
    EXPECT_EQ(Sets(), 1u);
    EXPECT_EQ(LastSet().dwFlags, static_cast<DWORD>(VMR9AlphaBitmap_hDC | VMR9AlphaBitmap_SrcColorKey));
    EXPECT_EQ(effectFlags, OVERLAY_DISABLED) << "the text shows, and the bit stays";
    EXPECT_EQ(control->lastText, L"hello");

    control->DisableText();
    EXPECT_EQ(effectFlags, 0);
    EXPECT_EQ(Sets(), 2u) << "drawn again rather than hidden";
    EXPECT_FALSE(Hidden(Live()));
    EXPECT_EQ(LastSet().rDest.left, 2 * 0.01f);
    EXPECT_EQ(LastSet().rDest.top, 5 * 0.01f);
}

TEST_F(ControlOverlayFake, TextThenPictureThenDisableTextTwiceHidesThePictureThenDrawsTheText)
{
    control->SetText(L"hello", 0, 0);
    ShowPicture(*control);
    EXPECT_EQ(Live().pDDS, Inside(control->engine).overlaySurface().Get());

    control->DisableText();
    EXPECT_TRUE(Hidden(Live()));
    EXPECT_EQ(Live().pDDS, Inside(control->engine).overlaySurface().Get()) << "the picture is what was hidden";

    control->DisableText();
    EXPECT_EQ(Live().dwFlags, static_cast<DWORD>(VMR9AlphaBitmap_hDC | VMR9AlphaBitmap_SrcColorKey));
    EXPECT_EQ(Live().pDDS, nullptr);
}

TEST_F(ControlOverlayFake, FontColourAppliesToTheNextTextOnly)
{
    control->SetText(L"Corvane", 0, 0);
    EXPECT_GT(CountOf(platform.Vmr().overlayPicture, kRedPixel), 0u);
    const size_t sets = Sets();

    control->SetFontColor(static_cast<long>(kGreen));
    EXPECT_EQ(Sets(), sets) << "nothing is redrawn";
    EXPECT_GT(CountOf(platform.Vmr().overlayPicture, kRedPixel), 0u);

    control->SetText(L"Corvane", 0, 0);
    EXPECT_GT(CountOf(platform.Vmr().overlayPicture, kGreenPixel), 0u);
    EXPECT_EQ(CountOf(platform.Vmr().overlayPicture, kRedPixel), 0u);
}

// A caption in a script the system code page lacks is drawn as itself, not as question marks.
TEST_F(ControlOverlayFake, TextOutsideTheCodePageIsDrawnAsItsOwnGlyphs)
{
    control->SetText(L"??", 0, 0);
    const std::vector<DWORD> questionMarks = platform.Vmr().overlayPicture.pixels;
    control->SetText(L"\u5B57\u5E55", 0, 0);  // two CJK characters
    EXPECT_EQ(control->lastText, L"\u5B57\u5E55");
    EXPECT_GT(CountOf(platform.Vmr().overlayPicture, kRedPixel), 0u);
    EXPECT_NE(platform.Vmr().overlayPicture.pixels, questionMarks);
}

TEST_F(ControlOverlayFake, TextOverTheBufferIsCutToWholeCharactersAndNeverWrittenPastIt)
{
    const size_t room = CVMR9Graph::kTextBufferSize - 1;
    const std::wstring emoji = L"\U0001F600";  // a surrogate pair
    struct Row
    {
        const char* name;
        std::wstring text;
        std::wstring kept;
    };
    const Row rows[] = {
        {"one unit each", std::wstring(room + 500, L'x'), std::wstring(room, L'x')},
        {"CJK", std::wstring(room + 1, L'\u5B57'), std::wstring(room, L'\u5B57')},
        {"pair across the limit", std::wstring(room - 1, L'x') + emoji + L"y", std::wstring(room - 1, L'x')},
        {"pair just inside", std::wstring(room - 2, L'x') + emoji + L"y", std::wstring(room - 2, L'x') + emoji},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const size_t sets = Sets();
        control->SetText(row.text.c_str(), 0, 0);
        EXPECT_EQ(control->lastText, row.kept);
        EXPECT_EQ(std::wstring(EngineInternals::textBuffer()), row.kept);
        EXPECT_EQ(Sets(), sets + 1);
    }
}

TEST_F(ControlOverlayFake, StopEndsSlideAndStrobeButKeepsFlipAndMirror)
{
    struct Row
    {
        const char* name;
        void (CCorvaneCtrl::*command)();
        LONG kept;
    };
    const Row rows[] = {{"flipped", &CCorvaneCtrl::FlipEffect, EFFECT_FLIP},
                        {"mirrored", &CCorvaneCtrl::MirrorEffect, EFFECT_MIRROR}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        effectFlags = 0;
        ShowPicture(*control, 60);
        (control->*row.command)();
        const VMR9AlphaBitmap transformed = Live();
        control->SlideEffect();
        control->StrobeEffect();
        ASSERT_EQ(effectFlags, row.kept | EFFECT_SLIDE | EFFECT_STROBE);
        for (int step = 0; step < 3; ++step) {
            control->engine.SlideStep();
            control->engine.StrobeStep();
        }
        ASSERT_NE(Live().rDest.left, transformed.rDest.left);
        ASSERT_NE(Live().fAlpha, transformed.fAlpha);

        control->Stop();
        EXPECT_EQ(effectFlags, row.kept);
        EXPECT_EQ(control->effectTimerId, 0u);
        const VMR9AlphaBitmap back = Live();
        EXPECT_EQ(back.rDest.left, transformed.rDest.left);
        EXPECT_EQ(back.rDest.right, transformed.rDest.right);
        EXPECT_EQ(back.rDest.top, transformed.rDest.top);
        EXPECT_EQ(back.rDest.bottom, transformed.rDest.bottom);
        EXPECT_EQ(back.fAlpha, 60 * 0.01f);
    }
}

TEST_F(ControlOverlayFake, TwoControlsShareTheFlagsSoTheSecondFlipUnflips)
{
    CCorvaneCtrl* second = NewControl();
    ShowPicture(*control);
    ShowPicture(*second);
    const VMR9AlphaBitmap home = Live(1);

    control->FlipEffect();
    EXPECT_EQ(effectFlags, EFFECT_FLIP);
    EXPECT_EQ(Live(0).rDest.top, home.rDest.bottom) << "the first control's overlay is flipped";

    second->FlipEffect();
    EXPECT_EQ(effectFlags, 0);
    EXPECT_EQ(Live(1).rDest.top, home.rDest.top) << "the second's goes to its unflipped home";
    EXPECT_EQ(Live(1).rDest.bottom, home.rDest.bottom);
    EXPECT_EQ(Live(0).rDest.top, home.rDest.bottom) << "the first's stays flipped";
}

TEST_F(ControlOverlayFake, GetCurrentImageWritesToANameOutsideTheCodePageButNotIntoAMissingFolder)
{
    platform.Vmr().settings.currentImage = MakePackedDib(4, 2, 32);
    const std::wstring folder = FolderOutsideTheCodePage();
    const std::wstring written = folder + L"\\" + kNameOutsideTheCodePage + L".bmp";
    const std::wstring missing = folder + L"\\no-such-folder\\shot.bmp";
    DeleteFileW(written.c_str());

    control->GetCurrentImage(written.c_str());
    EXPECT_NE(GetFileAttributesW(written.c_str()), INVALID_FILE_ATTRIBUTES) << "the same image saves elsewhere";
    DeleteFileW(written.c_str());

    Inside(control->engine).lastError()[0] = '\0';
    control->GetCurrentImage(missing.c_str());
    EXPECT_EQ(platform.Log().Count("IVMRWindowlessControl9::GetCurrentImage"), 2u);
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(control->engine.LastError(), "");
    RemoveDirectoryW(folder.c_str());
}

TEST_F(ControlOverlayFake, PictureWithANameOutsideTheCodePageIsReadAndShown)
{
    const std::wstring picture = FolderOutsideTheCodePage() + L"\\" + kNameOutsideTheCodePage + L".bmp";
    ASSERT_TRUE(CopyFileW(Widened(test_images::Bmp()).c_str(), picture.c_str(), FALSE));
    control->SetOverlayBitmap(picture.c_str(), 10, 20, 100, 50, 80);
    DeleteFileW(picture.c_str());
    RemoveDirectoryW(FolderOutsideTheCodePage().c_str());
    ASSERT_TRUE(Inside(control->engine).overlaySurface()) << control->engine.LastError();
    FakeSurface& surface = platform.Surface();
    // Sized from the file and filled from it: its top-left quadrant is red.
    EXPECT_EQ(surface.Width(), static_cast<UINT>(test_images::kWidth));
    EXPECT_EQ(surface.Height(), static_cast<UINT>(test_images::kHeight));
    EXPECT_EQ(platform.Vmr().overlayPicture.Pixel(10, 10), test_images::kTopLeft);
    EXPECT_EQ(control->bitmapFile, picture);
    EXPECT_EQ(Sets(), 1u);
}

}  // namespace
