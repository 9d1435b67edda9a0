// A test with Corvane.OCX loaded and registered in the test prefix through its own
// DllRegisterServer, as regsvr32 does.
#pragma once

#include "OleTest.h"

#include "ModuleFiles.h"

class RegisteredCorvane : public OleTest
{
protected:
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();

    HMODULE module = nullptr;

    void SetUp() override
    {
        OleTest::SetUp();
        module = LoadLibraryW(kCorvaneModulePath);
        ASSERT_NE(module, nullptr);
        auto registerServer =
            reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
    }
};
