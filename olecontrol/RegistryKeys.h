// Small registry helpers for self-registration, all relative to one root key.
#pragma once

#include <windows.h>

#include <string>

// Creates `subkey` (and its parents) and sets its value `valueName` (null: the default value).
bool SetRegistryString(HKEY root, const std::wstring& subkey, const wchar_t* valueName, const std::wstring& value);
bool RegistryKeyExists(HKEY root, const std::wstring& subkey);
// The string value, or false when the key or value is missing or not a string.
bool GetRegistryString(HKEY root, const std::wstring& subkey, const wchar_t* valueName, std::wstring& value);
// Deletes the key with everything below it; a key that does not exist counts as deleted.
bool DeleteRegistryTree(HKEY root, const std::wstring& subkey);

// "{xxxxxxxx-...}" for a GUID.
std::wstring GuidText(REFGUID guid);
