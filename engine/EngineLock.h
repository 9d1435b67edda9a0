// The engine is called from the control's window thread and from its monitor thread.
// Every public operation holds this lock for its whole run, so no call can use an interface
// that the other thread is releasing. It is recursive (operations call one another) and is
// never held while waiting for another thread.
#pragma once

#include <windows.h>

class EngineLock final
{
public:
    EngineLock() { InitializeCriticalSection(&section); }
    ~EngineLock() { DeleteCriticalSection(&section); }
    EngineLock(const EngineLock&) = delete;
    EngineLock& operator=(const EngineLock&) = delete;

    void Enter() { EnterCriticalSection(&section); }
    void Leave() { LeaveCriticalSection(&section); }

private:
    CRITICAL_SECTION section;
};

class EngineGuard final
{
public:
    explicit EngineGuard(EngineLock& lock) : held(lock) { held.Enter(); }
    ~EngineGuard() { held.Leave(); }
    EngineGuard(const EngineGuard&) = delete;
    EngineGuard& operator=(const EngineGuard&) = delete;

private:
    EngineLock& held;
};
