// Type information comes from the type library the module carries as resource "TYPELIB" 1.
#include "OleControl.h"

#include <vector>

namespace {

std::wstring ModulePath()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModulePath), &module);
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

}  // namespace

HRESULT COleControl::GetTypeInfoOf(REFIID iid, ITypeInfo** out) const
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!typeLibrary) {
        const std::wstring path = ModulePath();
        if (path.empty())
            return HRESULT_FROM_WIN32(GetLastError());
        const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLibrary);
        if (FAILED(hr))
            return hr;
    }
    return typeLibrary->GetTypeInfoOfGuid(iid, out);
}
