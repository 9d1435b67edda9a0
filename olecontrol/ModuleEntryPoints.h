// The entry points every in-process server of the framework exports alike: DllMain notes the
// module's instance, DllCanUnloadNow asks the module's object counter and DllGetClassObject
// searches its class factories. A module defines all three with CORVANE_MODULE_ENTRY_POINTS.
#pragma once

#include "ClassFactory.h"
#include "ServerModule.h"

#include <windows.h>

// What the entry points share: the module's instance handle (known from load on) and its counter.
class CModuleEntryPoints final
{
public:
    CModuleEntryPoints() = default;
    CModuleEntryPoints(const CModuleEntryPoints&) = delete;
    CModuleEntryPoints& operator=(const CModuleEntryPoints&) = delete;

    HINSTANCE Instance() const { return instance; }
    CServerModule& Module() { return module; }

    // DllMain's work: the instance is noted at load; the module wants no thread notifications.
    BOOL OnDllMain(HINSTANCE loaded, DWORD reason)
    {
        if (reason == DLL_PROCESS_ATTACH) {
            instance = loaded;
            DisableThreadLibraryCalls(loaded);
        }
        return TRUE;
    }

private:
    HINSTANCE instance = nullptr;
    CServerModule module;
};

// Defines DllMain, DllCanUnloadNow and DllGetClassObject (at namespace scope) for the module whose
// CModuleEntryPoints is `entryPoints`; the further arguments are its CClassFactory addresses.
#define CORVANE_MODULE_ENTRY_POINTS(entryPoints, ...)                                                  \
    extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)                           \
    {                                                                                                  \
        return (entryPoints).OnDllMain(instance, reason);                                              \
    }                                                                                                  \
    STDAPI DllCanUnloadNow() { return (entryPoints).Module().CanUnloadNow(); }                          \
    STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object)                              \
    {                                                                                                  \
        return GetClassObjectFrom({__VA_ARGS__}, classId, iid, object);                                \
    }
