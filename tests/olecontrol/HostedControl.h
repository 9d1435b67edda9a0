// A test control placed in Wine's ATL container, in place, with its window.
#pragma once

#include <wrl/client.h>

#include <memory>

#include "support/AtlHost.h"
#include "TestControlFixture.h"

class HostedControl : public TestControlFixture
{
protected:
    static constexpr int hostWidth = 320;
    static constexpr int hostHeight = 240;

    std::unique_ptr<AtlHost> host;

    void SetUp() override
    {
        TestControlFixture::SetUp();
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
        TestControlFixture::TearDown();
    }
    HWND ControlWindow() const { return control->GetControlWindow(); }
    static void Pump() { TestWindow::PumpMessages(); }
};
