// The control placed in Wine's ATL container with the real engine, its events received by a
// host sink through its connection point.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>

#include "CorvaneCtrl.h"
#include "CorvaneDispids.h"
#include "CorvaneIds.h"
#include "controloverlay/OwnedControl.h"
#include "support/AtlHost.h"
#include "EventSink.h"
#include "support/TestMedia.h"

// Lets the window messages of this thread run for `milliseconds`.
inline void PumpFor(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        TestWindow::PumpMessages();
        Sleep(5);
    }
}

// Pumps until `done` holds or `milliseconds` pass; answers whether it held.
template <class Condition> bool PumpUntil(Condition done, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() >= end)
            return false;
        TestWindow::PumpMessages();
        Sleep(5);
    }
    return true;
}

class HostedCorvane : public ::testing::Test
{
protected:
    std::unique_ptr<OwnedControl> owned;
    CCorvaneCtrl* control = nullptr;
    std::unique_ptr<AtlHost> host;
    EventSink sink{DIID__DCorvaneEvents};
    Microsoft::WRL::ComPtr<IConnectionPoint> events;
    DWORD cookie = 0;

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        Host(400, 300);
    }
    void TearDown() override
    {
        Release();
        OleUninitialize();
    }

    void Host(int width, int height)
    {
        owned = std::make_unique<OwnedControl>();
        control = owned->object;
        host = std::make_unique<AtlHost>(width, height);
        std::string why;
        ASSERT_TRUE(host->Load(why)) << why;
        ASSERT_EQ(host->Attach(owned->unknown.Get()), S_OK);
        ASSERT_NE(control->GetControlWindow(), nullptr);
        ASSERT_EQ(owned->As<IConnectionPointContainer>()->FindConnectionPoint(DIID__DCorvaneEvents, &events), S_OK);
        ASSERT_EQ(events->Advise(&sink, &cookie), S_OK);
    }
    // The host lets go: the container closes the control, the last reference destroys it.
    void Release()
    {
        if (events && cookie)
            events->Unadvise(cookie);
        events.Reset();
        cookie = 0;
        host.reset();
        owned.reset();
        control = nullptr;
    }
    void Load(const char* clip, short layer = 0, BOOL sound = FALSE)
    {
        control->LoadMediaFile(TestMediaPathW(clip).c_str(), layer, sound);
    }
    int Playing() const { return sink.CountOf(DISPID_CORVANE_ONPLAYING); }
    int Finished() const { return sink.CountOf(DISPID_CORVANE_ONFINISH); }
    bool NoTimerRuns() const
    {
        return control->playingTimerId == 0 && control->finishTimerId == 0 && control->effectTimerId == 0;
    }
    // No monitor thread, or one that has ended.
    bool MonitorEnded() const
    {
        return !control->monitorThread || WaitForSingleObject(control->monitorThread, 0) == WAIT_OBJECT_0;
    }
};
