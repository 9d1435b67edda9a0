// A test with the test control's module loaded and registered (through its own
// DllRegisterServer) in the test prefix.
#pragma once

#include "support/RegisteredServer.h"

class RegisteredModule : public RegisteredServer
{
protected:
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

    EntryPoint canUnloadNow = nullptr;
    GetClassObject getClassObject = nullptr;

    void SetUp() override
    {
        OleTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadAndRegister(L"CorvaneTestControl.dll"));
        canUnloadNow = Entry<EntryPoint>("DllCanUnloadNow");
        getClassObject = Entry<GetClassObject>("DllGetClassObject");
        ASSERT_TRUE(canUnloadNow && getClassObject);
    }
};
