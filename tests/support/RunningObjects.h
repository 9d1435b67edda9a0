// Reads the process's running object table back, as an external graph viewer would.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

#include <cwchar>
#include <string>
#include <vector>

inline std::vector<std::wstring> RunningObjectNames()
{
    std::vector<std::wstring> names;
    Microsoft::WRL::ComPtr<IRunningObjectTable> table;
    if (FAILED(GetRunningObjectTable(0, &table)))
        return names;
    Microsoft::WRL::ComPtr<IEnumMoniker> monikers;
    if (FAILED(table->EnumRunning(&monikers)) || !monikers)
        return names;
    Microsoft::WRL::ComPtr<IBindCtx> context;
    CreateBindCtx(0, &context);
    Microsoft::WRL::ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        LPOLESTR displayName = nullptr;
        if (SUCCEEDED(moniker->GetDisplayName(context.Get(), nullptr, &displayName)) && displayName) {
            names.emplace_back(displayName);
            CoTaskMemFree(displayName);
        }
    }
    return names;
}

// The graphs this process registered: the table is shared with every other process on the
// Wine server, which tests running side by side would otherwise see.
inline std::vector<std::wstring> RunningGraphNames()
{
    wchar_t ownProcess[32];
    swprintf(ownProcess, 32, L" pid %08x", static_cast<unsigned>(GetCurrentProcessId()));
    std::vector<std::wstring> graphs;
    for (const std::wstring& name : RunningObjectNames())
        if (name.find(L"FilterGraph ") != std::wstring::npos && name.find(ownProcess) != std::wstring::npos)
            graphs.push_back(name);
    return graphs;
}
