#include "RegistrationScope.h"

ClassesRootKey::ClassesRootKey(RegistrationScope scope)
{
    if (scope == RegistrationScope::Machine) {
        key = HKEY_CLASSES_ROOT;
        return;
    }
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE | DELETE, nullptr, &key, nullptr) == ERROR_SUCCESS)
        owned = true;
    else
        key = nullptr;
}

ClassesRootKey::~ClassesRootKey()
{
    if (owned)
        RegCloseKey(key);
}
