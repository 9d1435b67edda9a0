// Counts the module's live objects and server locks, so DllCanUnloadNow can answer. Safe to
// use from any thread.
#pragma once

#include <windows.h>

class CServerModule final
{
public:
    CServerModule() = default;
    CServerModule(const CServerModule&) = delete;
    CServerModule& operator=(const CServerModule&) = delete;

    void ObjectCreated() { InterlockedIncrement(&liveObjects); }
    void ObjectDestroyed() { InterlockedDecrement(&liveObjects); }
    void Lock() { InterlockedIncrement(&locks); }
    void Unlock() { InterlockedDecrement(&locks); }

    LONG LiveObjects() const { return InterlockedCompareExchange(&liveObjects, 0, 0); }
    LONG Locks() const { return InterlockedCompareExchange(&locks, 0, 0); }
    // S_OK when nothing of the module is alive and nothing is locked, else S_FALSE.
    HRESULT CanUnloadNow() const { return LiveObjects() == 0 && Locks() == 0 ? S_OK : S_FALSE; }

private:
    mutable volatile LONG liveObjects = 0;
    mutable volatile LONG locks = 0;
};

// Held as a member by every COM object of the module: it keeps the module loaded while the
// object lives.
class CModuleObjectToken final
{
public:
    explicit CModuleObjectToken(CServerModule& module) : module(module) { module.ObjectCreated(); }
    ~CModuleObjectToken() { module.ObjectDestroyed(); }
    CModuleObjectToken(const CModuleObjectToken&) = delete;
    CModuleObjectToken& operator=(const CModuleObjectToken&) = delete;

private:
    CServerModule& module;
};
