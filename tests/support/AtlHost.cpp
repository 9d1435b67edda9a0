#include "AtlHost.h"

#include <string>

AtlHost::AtlHost(int width, int height) : window(std::make_unique<TestWindow>(width, height)) {}

AtlHost::~AtlHost()
{
    window.reset();
    container.Reset();
    // The library stays loaded: objects it made may be released later in the process.
}

bool AtlHost::Load(std::string& why)
{
    library = LoadLibraryW(L"atl.dll");
    if (!library) {
        why = "atl.dll does not load";
        return false;
    }
    auto init = reinterpret_cast<WinInit>(reinterpret_cast<void*>(GetProcAddress(library, "AtlAxWinInit")));
    attach = reinterpret_cast<AttachControl>(reinterpret_cast<void*>(GetProcAddress(library, "AtlAxAttachControl")));
    getControl = reinterpret_cast<GetControlFn>(reinterpret_cast<void*>(GetProcAddress(library, "AtlAxGetControl")));
    createControl = reinterpret_cast<CreateControlEx>(
        reinterpret_cast<void*>(GetProcAddress(library, "AtlAxCreateControlEx")));
    if (!init || !attach || !getControl || !createControl) {
        why = "atl.dll lacks the container entry points";
        return false;
    }
    // A second host in the same process finds the container's window class already there.
    WNDCLASSEXW registered = {};
    registered.cbSize = sizeof(registered);
    if (!init() && !GetClassInfoExW(library, L"AtlAxWin", &registered)) {
        why = "AtlAxWinInit failed";
        return false;
    }
    if (!window->Handle()) {
        why = "no container window (no display?)";
        return false;
    }
    return true;
}

HRESULT AtlHost::Attach(IUnknown* control)
{
    return attach(control, window->Handle(), &container);
}

HRESULT AtlHost::Create(const wchar_t* progId, IUnknown** control)
{
    return createControl(progId, window->Handle(), nullptr, &container, control, IID_NULL, nullptr);
}

HRESULT AtlHost::GetControl(IUnknown** out) const
{
    return getControl(window->Handle(), out);
}
