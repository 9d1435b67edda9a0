// A fixture base: a new test control for each test, inside OLE, released before OLE ends.
// Fixtures that hold more of the control release that in their TearDown before calling this one.
#pragma once

#include "support/OleTest.h"

#include <wrl/client.h>

#include "TestControl.h"

class TestControlFixture : public OleTest
{
protected:
    CTestControl* control = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> unknown;

    void SetUp() override
    {
        OleTest::SetUp();
        unknown = MakeTestControl(&control);
    }
    void TearDown() override
    {
        unknown.Reset();
        OleTest::TearDown();
    }
};
