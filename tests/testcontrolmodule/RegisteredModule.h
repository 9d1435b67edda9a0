// A test with the test control's module loaded and registered (through its own
// DllRegisterServer) in the test prefix.
#pragma once

#include "OleTest.h"

class RegisteredModule : public OleTest
{
protected:
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

    HMODULE module = nullptr;
    EntryPoint canUnloadNow = nullptr;
    GetClassObject getClassObject = nullptr;

    void SetUp() override
    {
        OleTest::SetUp();
        module = LoadLibraryW(L"CorvaneTestControl.dll");
        ASSERT_NE(module, nullptr);
        auto registerServer = Entry<EntryPoint>("DllRegisterServer");
        canUnloadNow = Entry<EntryPoint>("DllCanUnloadNow");
        getClassObject = Entry<GetClassObject>("DllGetClassObject");
        ASSERT_TRUE(registerServer && canUnloadNow && getClassObject);
        ASSERT_EQ(registerServer(), S_OK);
    }

    template <class Function> Function Entry(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};
