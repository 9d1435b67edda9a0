#include "RegistryKeys.h"

#include <objbase.h>

bool SetRegistryString(HKEY root, const std::wstring& subkey, const wchar_t* valueName, const std::wstring& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    LONG result = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool RegistryKeyExists(HKEY root, const std::wstring& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool GetRegistryString(HKEY root, const std::wstring& subkey, const wchar_t* valueName, std::wstring& value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD bytes = 0;
    bool found = RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
                 (type == REG_SZ || type == REG_EXPAND_SZ);
    if (found) {
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        found = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &bytes) ==
                ERROR_SUCCESS;
        text.resize(bytes / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        value = text;
    }
    RegCloseKey(key);
    return found;
}

bool DeleteRegistryTree(HKEY root, const std::wstring& subkey)
{
    if (subkey.empty())
        return false;
    LONG result = RegDeleteTreeW(root, subkey.c_str());
    if (result == ERROR_FILE_NOT_FOUND)
        return true;
    if (result != ERROR_SUCCESS)
        return false;
    // RegDeleteTree empties the key; the key itself goes as well.
    result = RegDeleteKeyW(root, subkey.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}
