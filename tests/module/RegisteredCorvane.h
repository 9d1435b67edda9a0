// A test with Corvane.OCX loaded and registered in the test prefix through its own
// DllRegisterServer, as regsvr32 does.
#pragma once

#include "support/RegisteredServer.h"

#include "ModuleFiles.h"

class RegisteredCorvane : public RegisteredServer
{
protected:
    void SetUp() override
    {
        OleTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadAndRegister(kCorvaneModulePath));
    }
};
