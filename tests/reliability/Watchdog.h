// Turns a call that does not return within its limit into a failure that names it: the process
// ends with the call's description on stderr, since a hung call cannot be unwound.
#pragma once

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

class Watchdog
{
public:
    explicit Watchdog(DWORD limitMilliseconds) : limit(limitMilliseconds), watcher([this] { Watch(); }) {}
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> hold(mutex);
            ending = true;
        }
        watcher.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // The call about to be made, with a limit of its own or the watchdog's; `Disarm` when it
    // has returned.
    void Arm(std::string what, DWORD callLimitMilliseconds = 0)
    {
        std::lock_guard<std::mutex> hold(mutex);
        current = std::move(what);
        armedLimit = callLimitMilliseconds ? callLimitMilliseconds : limit;
        armedAt = GetTickCount64();
    }
    void Disarm()
    {
        std::lock_guard<std::mutex> hold(mutex);
        armedAt = 0;
    }

private:
    void Watch()
    {
        for (;;) {
            Sleep(100);
            std::lock_guard<std::mutex> hold(mutex);
            if (ending)
                return;
            if (armedAt != 0 && GetTickCount64() - armedAt > armedLimit) {
                std::fprintf(stderr, "HANG: %s did not return within %lu ms\n", current.c_str(),
                             static_cast<unsigned long>(armedLimit));
                std::fflush(stderr);
                std::fflush(stdout);
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
    }

    const DWORD limit;
    std::mutex mutex;
    std::string current;
    DWORD armedLimit = 0;
    ULONGLONG armedAt = 0;
    bool ending = false;
    std::thread watcher;
};
