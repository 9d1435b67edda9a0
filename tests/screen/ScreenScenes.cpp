// Scenes of the control's video for run-screen.py, which reads the X display while each is
// held (Direct3D output is invisible to GDI reads of a window). The control sits in Wine's ATL
// container with the real engine and plays generated clips of known pictures; each scene writes
// "scene <name> <client x y w h> <picture x y w h> <native w h>" (screen coordinates; the picture
// where the layout puts it; the clip's own size) to scenes.txt in CORVANE_SCREEN_DIR and holds
// until <name>.grabbed appears.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "control/HostedCorvane.h"

namespace {

struct Scene
{
    const char* name;
    const char* clip;
    BOOL keepAspect;
    int clientWidth, clientHeight;
    RECT picture;  // in the control's client coordinates: the worked fit
};

void PrintTo(const Scene& s, std::ostream* out)
{
    *out << s.name;
}

class ScreenScene : public HostedCorvane
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        // Room for the largest client area below, frame included.
        Host(900, 520);
        control->XLoop = TRUE;
    }

    void Resize(int width, int height)
    {
        SetWindowPos(control->GetControlWindow(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Plays until the picture has been on screen a while.
    void PlayAndSettle()
    {
        control->Play();
        ASSERT_TRUE(PumpUntil([&] { return Playing() > 0; }, 5000)) << control->engine.LastError();
        PumpFor(700);
    }

    // Tells the script where to look and holds the scene, messages running, until it has looked.
    void Hold(const std::string& name, const RECT& picture)
    {
        const char* dir = getenv("CORVANE_SCREEN_DIR");
        ASSERT_NE(dir, nullptr) << "run by run-screen.py, which sets CORVANE_SCREEN_DIR";
        const HWND window = control->GetControlWindow();
        RECT client = {};
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const std::string folder(dir);
        FILE* out = fopen((folder + "\\scenes.txt").c_str(), "a");
        ASSERT_NE(out, nullptr);
        fprintf(out, "scene %s %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld\n", name.c_str(), client.left, client.top,
                client.right - client.left, client.bottom - client.top, client.left + picture.left,
                client.top + picture.top, picture.right - picture.left, picture.bottom - picture.top,
                control->GetVideoWidth(), control->GetVideoHeight());
        fclose(out);
        const std::string grabbed = folder + "\\" + name + ".grabbed";
        EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesA(grabbed.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000))
            << "nobody grabbed scene " << name;
    }
};

// Four fields, three of solid colour and one moving, filling the client area.
TEST_F(ScreenScene, ColourFields)
{
    Load("fields320x240.avi");
    control->XAspectRatio = TRUE;
    Resize(320, 240);
    PlayAndSettle();
    Hold("fields", {0, 0, 320, 240});
}

// Layer 1 and the text overlay need the platform's mixer and alpha bitmap: the script measures
// whether they show; layer 0's fields must show all the same.
TEST_F(ScreenScene, SecondLayerAndOverlay)
{
    Load("fields320x240.avi");
    Load("flat320x240.avi", 1);
    control->SetFontSize(40);
    control->SetFontColor(RGB(255, 255, 255));
    control->SetText(L"OVERLAY", 10, 10);
    control->XAspectRatio = TRUE;
    Resize(320, 240);
    PlayAndSettle();
    Hold("layers", {0, 0, 320, 240});
}

class ScreenLayout : public ScreenScene, public ::testing::WithParamInterface<Scene>
{
};

// The worked fits of the layout with real clips of those native sizes, and the fill without it.
TEST_P(ScreenLayout, PictureWhereTheFitPutsIt)
{
    const Scene& s = GetParam();
    Load(s.clip);
    control->XAspectRatio = s.keepAspect;
    Resize(s.clientWidth, s.clientHeight);
    PlayAndSettle();
    Hold(s.name, s.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Fits, ScreenLayout,
    ::testing::Values(Scene{"keep640x480in400x400", "flat640x480.avi", TRUE, 400, 400, {0, 50, 400, 350}},
                      Scene{"keep320x240in800x300", "flat320x240.avi", TRUE, 800, 300, {200, 0, 600, 300}},
                      Scene{"keep720x576in500x400", "flat720x576.avi", TRUE, 500, 400, {0, 0, 499, 400}},
                      Scene{"fill640x480in400x400", "flat640x480.avi", FALSE, 400, 400, {0, 0, 400, 400}},
                      Scene{"fill320x240in800x300", "flat320x240.avi", FALSE, 800, 300, {0, 0, 800, 300}}),
    [](const ::testing::TestParamInfo<Scene>& info) { return std::string(info.param.name); });

// A resize while playing lays the picture out again.
TEST_F(ScreenScene, ResizeRelaysThePicture)
{
    Load("flat640x480.avi");
    control->XAspectRatio = TRUE;
    Resize(400, 400);
    PlayAndSettle();
    Hold("before-resize", {0, 50, 400, 350});
    Resize(800, 300);
    PumpFor(700);
    Hold("after-resize", {200, 0, 600, 300});
}

}  // namespace
