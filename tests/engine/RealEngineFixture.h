// Looking into an engine's graph on the real platform under Wine, with the generated test clips.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "FilterPins.h"

class RealEngineTest : public RealEngine
{
protected:
    static std::string NameOf(IBaseFilter* filter)
    {
        FILTER_INFO info = {};
        if (!filter || FAILED(filter->QueryFilterInfo(&info)))
            return "?";
        if (info.pGraph)
            info.pGraph->Release();
        char name[MAX_FILTER_NAME * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, info.achName, -1, name, sizeof name - 1, nullptr, nullptr);
        return name;
    }

    // The filters in the graph, in the graph's enumeration order.
    std::vector<Microsoft::WRL::ComPtr<IBaseFilter>> Filters()
    {
        std::vector<Microsoft::WRL::ComPtr<IBaseFilter>> filters;
        Microsoft::WRL::ComPtr<IEnumFilters> list;
        if (!Inside(engine).filterGraph() || FAILED(Inside(engine).filterGraph()->EnumFilters(&list)))
            return filters;
        Microsoft::WRL::ComPtr<IBaseFilter> filter;
        while (list->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK)
            filters.push_back(filter);
        return filters;
    }
    std::vector<std::string> FilterNames()
    {
        std::vector<std::string> names;
        for (const auto& filter : Filters())
            names.push_back(NameOf(filter.Get()));
        return names;
    }
    bool HasFilter(const std::string& name)
    {
        for (const std::string& present : FilterNames())
            if (present == name)
                return true;
        return false;
    }
    bool InGraph(IBaseFilter* wanted)
    {
        for (const auto& filter : Filters())
            if (filter.Get() == wanted)
                return true;
        return false;
    }
    REFERENCE_TIME CurrentPosition()
    {
        LONGLONG current = -1;
        if (Inside(engine).mediaSeeking())
            Inside(engine).mediaSeeking()->GetCurrentPosition(&current);
        return current;
    }
    OAFilterState GraphState()
    {
        OAFilterState graphState = -1;
        if (Inside(engine).mediaControl())
            Inside(engine).mediaControl()->GetState(1000, &graphState);
        return graphState;
    }
    // Waits, letting the window's messages run, until `done` holds or about `limitMs` passed.
    template <class Done> static bool WaitFor(Done done, int limitMs = 8000)
    {
        for (int waited = 0; waited < limitMs; waited += 20) {
            if (done())
                return true;
            TestWindow::PumpMessages();
            Sleep(20);
        }
        return done();
    }

    // Runs `steps`; should they not return within `limitMs`, names them and ends the test
    // program at once: a hang held in the engine's lock would otherwise also hang TearDown.
    template <class Steps> static void WithinTimeLimit(const char* name, Steps steps, DWORD limitMs = 20000)
    {
        TimeLimit limit = {name, limitMs, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
        HANDLE watcher = CreateThread(nullptr, 0, WatchTimeLimit, &limit, 0, nullptr);
        steps();
        SetEvent(limit.done);
        WaitForSingleObject(watcher, INFINITE);
        CloseHandle(watcher);
        CloseHandle(limit.done);
    }
    struct TimeLimit
    {
        const char* name;
        DWORD limitMs;
        HANDLE done;
    };
    static DWORD WINAPI WatchTimeLimit(void* context)
    {
        const TimeLimit& limit = *static_cast<TimeLimit*>(context);
        if (WaitForSingleObject(limit.done, limit.limitMs) == WAIT_TIMEOUT) {
            fprintf(stderr, "FAILED: \"%s\" did not return within %lu ms\n", limit.name,
                    static_cast<unsigned long>(limit.limitMs));
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return 0;
    }

    // Each filter with the filters its output pins feed, for failure messages.
    std::string Describe()
    {
        std::string text;
        for (const auto& filter : Filters()) {
            text += NameOf(filter.Get()) + " ->";
            Microsoft::WRL::ComPtr<IEnumPins> pins;
            filter->EnumPins(&pins);
            Microsoft::WRL::ComPtr<IPin> pin;
            while (pins && pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
                PIN_DIRECTION direction;
                Microsoft::WRL::ComPtr<IPin> peer;
                if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT &&
                    SUCCEEDED(pin->ConnectedTo(&peer))) {
                    PIN_INFO info = {};
                    peer->QueryPinInfo(&info);
                    text += " " + NameOf(info.pFilter) + "[" + StreamTypeName(pin.Get()) + "]";
                    if (info.pFilter)
                        info.pFilter->Release();
                }
            }
            text += "\n";
        }
        return text;
    }
};
