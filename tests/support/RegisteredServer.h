// A fixture base: an in-process server loaded and registered in the test prefix through its own
// DllRegisterServer, as regsvr32 does.
#pragma once

#include "support/OleTest.h"

class RegisteredServer : public OleTest
{
protected:
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();

    HMODULE module = nullptr;

    // For SetUp, inside ASSERT_NO_FATAL_FAILURE.
    void LoadAndRegister(const wchar_t* path)
    {
        module = LoadLibraryW(path);
        ASSERT_NE(module, nullptr);
        const auto registerServer = Entry<EntryPoint>("DllRegisterServer");
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
    }
    template <class Function> Function Entry(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};
