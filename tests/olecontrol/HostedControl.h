// A test control placed in Wine's ATL container, in place, with its window.
#pragma once

#include "OleTest.h"

#include <wrl/client.h>

#include <memory>

#include "AtlHost.h"
#include "TestControl.h"

class HostedControl : public OleTest
{
protected:
    static constexpr int hostWidth = 320;
    static constexpr int hostHeight = 240;

    CTestControl* control = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> unknown;
    std::unique_ptr<AtlHost> host;

    void SetUp() override
    {
        OleTest::SetUp();
        unknown = MakeTestControl(&control);
        host = std::make_unique<AtlHost>(hostWidth, hostHeight);
        std::string why;
        ASSERT_TRUE(host->Load(why)) << why;
        ASSERT_EQ(host->Attach(unknown.Get()), S_OK);
        ASSERT_TRUE(control->IsInPlaceActive());
        ASSERT_NE(control->GetControlWindow(), nullptr);
    }
    void TearDown() override
    {
        host.reset();
        unknown.Reset();
        OleTest::TearDown();
    }
    HWND ControlWindow() const { return control->GetControlWindow(); }
    static void Pump() { TestWindow::PumpMessages(); }
};
