#include "AxContainer.h"

bool CAxContainer::Load(std::wstring& why)
{
    // The library stays loaded for the life of the process: the objects it made may outlive us.
    library = LoadLibraryW(L"atl.dll");
    if (!library) {
        why = L"the ATL container (atl.dll) is not installed";
        return false;
    }
    auto init = reinterpret_cast<WinInit>(reinterpret_cast<void*>(GetProcAddress(library, "AtlAxWinInit")));
    createControl = reinterpret_cast<CreateControlEx>(
        reinterpret_cast<void*>(GetProcAddress(library, "AtlAxCreateControlEx")));
    if (!init || !createControl) {
        why = L"atl.dll lacks AtlAxWinInit or AtlAxCreateControlEx";
        return false;
    }
    if (!init()) {
        why = L"AtlAxWinInit failed";
        return false;
    }
    return true;
}

HRESULT CAxContainer::Create(const wchar_t* progId, HWND window, IUnknown** control)
{
    if (!createControl)
        return E_UNEXPECTED;
    return createControl(progId, window, nullptr, &site, control, IID_NULL, nullptr);
}
